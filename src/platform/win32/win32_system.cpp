#include "platform/win32/win32_system.h"

#include <memory>

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

}  // namespace

VersionRecord Win32System::Version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148: the record every Windows knows
  if (!::GetVersionExA(&info)) return {};
  return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.szCSDVersion};
}

bool Win32System::InAdministratorsGroup() {
  KernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | TOKEN_QUERY_SOURCE | READ_CONTROL,
                          token.receive()))
    return false;
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

}  // namespace tvx::win32
