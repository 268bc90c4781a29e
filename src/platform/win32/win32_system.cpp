#include "platform/win32/win32_system.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win32/win32_handles.h"

namespace tvx::win32 {
namespace {

using GlobalMemoryStatusExFunction = BOOL(WINAPI*)(LPMEMORYSTATUSEX);

// The groups of the process token, or an empty buffer.
std::unique_ptr<char[]> ReadTokenGroups(HANDLE token) {
  DWORD size = 0;
  ::GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
  if (size == 0) return nullptr;
  auto buffer = std::make_unique<char[]>(size);
  if (!::GetTokenInformation(token, TokenGroups, buffer.get(), size, &size)) return nullptr;
  return buffer;
}

bool ContainsAdministrators(const TOKEN_GROUPS& groups) {
  SID_IDENTIFIER_AUTHORITY nt_authority = {SECURITY_NT_AUTHORITY};
  PSID administrators = nullptr;
  if (!::AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                  0, 0, 0, 0, 0, &administrators))
    return false;
  bool found = false;
  for (DWORD i = 0; i < groups.GroupCount && !found; ++i)
    found = ::EqualSid(groups.Groups[i].Sid, administrators);
  ::FreeSid(administrators);
  return found;
}

// MCI answers the number of devices as a text or a number by command; for
// the quantity of a device type it writes a DWORD into the return buffer.
std::optional<std::uint32_t> MciDeviceCount(UINT device_type) {
  DWORD count = 0;
  MCI_SYSINFO_PARMSA parameters{};
  parameters.lpstrReturn = reinterpret_cast<LPSTR>(&count);
  parameters.dwRetSize = sizeof count;
  parameters.wDeviceType = device_type;
  if (::mciSendCommandA(0, MCI_SYSINFO, MCI_SYSINFO_QUANTITY, reinterpret_cast<DWORD_PTR>(&parameters)) != 0)
    return std::nullopt;
  return count;
}

}  // namespace

VersionRecord Win32System::Version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148: the record every Windows knows
  if (!::GetVersionExA(&info)) return {};
  return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.szCSDVersion};
}

bool Win32System::InAdministratorsGroup() {
  KernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | READ_CONTROL, token.receive())) return false;
  const auto groups = ReadTokenGroups(token.get());
  return groups && ContainsAdministrators(*reinterpret_cast<const TOKEN_GROUPS*>(groups.get()));
}

MemoryStatus Win32System::Memory() {
  // The plain call saturates above 2 or 4 GiB; the Ex call (Windows 2000
  // and later) does not.
  static const auto ex = OptionalExport<GlobalMemoryStatusExFunction>("kernel32.dll", "GlobalMemoryStatusEx");
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (ex && ex(&status))
    return {status.ullTotalPhys, status.ullAvailPhys, status.ullTotalPageFile, status.ullAvailPageFile};
  MEMORYSTATUS plain{};
  plain.dwLength = sizeof plain;
  ::GlobalMemoryStatus(&plain);
  return {plain.dwTotalPhys, plain.dwAvailPhys, plain.dwTotalPageFile, plain.dwAvailPageFile};
}

ScreenInfo Win32System::Screen() {
  ScreenDc dc;
  ScreenInfo screen;
  screen.width = ::GetDeviceCaps(dc.get(), HORZRES);
  screen.height = ::GetDeviceCaps(dc.get(), VERTRES);
  screen.bits_per_pixel = ::GetDeviceCaps(dc.get(), BITSPIXEL);
  screen.planes = ::GetDeviceCaps(dc.get(), PLANES);
  screen.logical_dpi_x = ::GetDeviceCaps(dc.get(), LOGPIXELSX);
  screen.logical_dpi_y = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
  screen.palette = (::GetDeviceCaps(dc.get(), RASTERCAPS) & RC_PALETTE) != 0;
  return screen;
}

std::string Win32System::UserLanguageName() {
  char name[100] = {};
  return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name) > 0 ? name : "";
}

std::string Win32System::CommandLine() { return ::GetCommandLineA(); }

std::uint32_t Win32System::WaveOutDeviceCount() { return ::waveOutGetNumDevs(); }

std::optional<WaveOutCaps> Win32System::WaveOutCapabilities(std::optional<std::uint32_t> device) {
  WAVEOUTCAPSA caps{};
  if (::waveOutGetDevCapsA(device ? *device : WAVE_MAPPER, &caps, sizeof caps) != MMSYSERR_NOERROR)
    return std::nullopt;
  return WaveOutCaps{caps.szPname, caps.dwFormats};
}

std::optional<std::uint32_t> Win32System::CdAudioDeviceCount() {
  return MciDeviceCount(static_cast<UINT>(kMciDeviceTypeCdAudio));
}

std::string Win32System::ProfileText(std::string_view file, std::string_view section, std::string_view key,
                                     std::string_view default_text, std::size_t buffer_size) {
  if (buffer_size == 0) return {};
  std::vector<char> buffer(buffer_size + 1);
  const DWORD length = ::GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                                  std::string(default_text).c_str(), buffer.data(),
                                                  static_cast<DWORD>(buffer_size), std::string(file).c_str());
  return std::string(buffer.data(), std::min<std::size_t>(length, buffer_size));
}

bool Win32System::WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                                   std::string_view value) {
  return ::WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), std::string(file).c_str()) != 0;
}

std::optional<FileVersionNumber> Win32System::FileVersion(std::string_view path) {
  const std::string name(path);
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(name.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<char> data(size + 1);
  if (!::GetFileVersionInfoA(name.c_str(), 0, size, data.data())) return std::nullopt;
  void* fixed = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(data.data(), "\\", &fixed, &length) || !fixed || length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  return FileVersionNumber{info->dwFileVersionMS, info->dwFileVersionLS};
}

std::optional<std::string> Win32System::ModuleString(std::string_view path, std::uint32_t id,
                                                     std::size_t buffer_size) {
  if (buffer_size == 0) return std::nullopt;
  const LibraryHandle module(::LoadLibraryExA(std::string(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) return std::nullopt;
  std::vector<char> buffer(buffer_size + 1);
  const int length = ::LoadStringA(module.get(), id, buffer.data(), static_cast<int>(buffer_size));
  if (length <= 0) return std::nullopt;
  return std::string(buffer.data(), std::min<std::size_t>(static_cast<std::size_t>(length), buffer_size));
}

}  // namespace tvx::win32
