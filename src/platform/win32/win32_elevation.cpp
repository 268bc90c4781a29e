// User account control: the token's elevation, a copy of the program
// started through "runas", and programs started as the desktop's user.
#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/win32_com.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

namespace tvx::win32 {
namespace {

// Named in the session's namespace: the copy opens it to say it arrived.
constexpr const char* kArrivalEvent = "SetupTvx.exe elevated copy";
// The asking process waits no longer than this for the copy's word.
constexpr DWORD kArrivalWaitMilliseconds = 60000;
constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Where the value is missing, Windows has user account control on.
bool UserAccountControlOn() {
  RegistryKeyHandle key;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPolicyKey, 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
    return true;
  DWORD value = 1;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (::RegQueryValueExA(key.get(), "EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return true;
  return value != 0;
}

TokenElevation TypeOf(TOKEN_ELEVATION_TYPE type) {
  switch (type) {
    case TokenElevationTypeFull:
      return TokenElevation::Elevated;
    case TokenElevationTypeLimited:
      return TokenElevation::Limited;
    default:
      return TokenElevation::Default;
  }
}

std::string ModuleFileName() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string CurrentFolder() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = ::GetCurrentDirectoryA(sizeof folder, folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0)
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// The few automation functions the desktop's shell takes, loaded only when
// it is asked: the library weighs on every start, and early 95 lacks it.
class OleAutomation {
 public:
  OleAutomation()
      : library_(::LoadLibraryA("oleaut32.dll")),
        variant_init_(Export<decltype(&::VariantInit)>("VariantInit")),
        variant_clear_(Export<decltype(&::VariantClear)>("VariantClear")),
        alloc_string_(Export<decltype(&::SysAllocString)>("SysAllocString")),
        free_string_(Export<decltype(&::SysFreeString)>("SysFreeString")) {}

  bool ready() const { return variant_init_ && variant_clear_ && alloc_string_ && free_string_; }
  void Init(VARIANT& value) const { variant_init_(&value); }
  void Clear(VARIANT& value) const { variant_clear_(&value); }
  BSTR Allocate(const std::wstring& text) const { return alloc_string_(text.c_str()); }
  void Free(BSTR text) const { free_string_(text); }

 private:
  template <typename Function>
  Function Export(const char* name) const {
    return library_
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library_.get(), name)))
               : nullptr;
  }

  LibraryHandle library_;
  decltype(&::VariantInit) variant_init_;
  decltype(&::VariantClear) variant_clear_;
  decltype(&::SysAllocString) alloc_string_;
  decltype(&::SysFreeString) free_string_;
};

// A variant that owns what it holds.
class Variant {
 public:
  explicit Variant(const OleAutomation& ole) : ole_(ole) { ole_.Init(value_); }
  Variant(const OleAutomation& ole, std::string_view text) : Variant(ole) {
    value_.vt = VT_BSTR;
    value_.bstrVal = ole_.Allocate(Wide(text));
  }
  Variant(const OleAutomation& ole, long number) : Variant(ole) {
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  ~Variant() { ole_.Clear(value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT& get() { return value_; }

 private:
  const OleAutomation& ole_;
  VARIANT value_;
};

// The desktop's window, through the shell's list of its windows.
ComPtr<IShellBrowser> DesktopBrowser(const OleAutomation& ole) {
  ComPtr<IShellWindows> windows;
  ComPtr<IDispatch> desktop;
  ComPtr<IServiceProvider> provider;
  ComPtr<IShellBrowser> browser;
  Variant location(ole, static_cast<long>(CSIDL_DESKTOP));
  Variant root(ole);
  long window = 0;
  if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.receive())) ||
      windows->FindWindowSW(&location.get(), &root.get(), SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            reinterpret_cast<IDispatch**>(desktop.receive())) != S_OK ||
      !desktop || FAILED(desktop->QueryInterface(IID_IServiceProvider, provider.receive())) ||
      FAILED(provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.receive())))
    return {};
  return browser;
}

// The shell's automation object of the desktop's view: it runs in the
// desktop's process, with its user's rights.
ComPtr<IShellDispatch2> DesktopShellDispatch(const OleAutomation& ole) {
  ComPtr<IShellBrowser> browser = DesktopBrowser(ole);
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folder_view;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (!browser || FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.receive()))) ||
      !view || FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.receive())) ||
      FAILED(background->QueryInterface(IID_IShellFolderViewDual, folder_view.receive())) ||
      FAILED(folder_view->get_Application(reinterpret_cast<IDispatch**>(application.receive()))) ||
      !application || FAILED(application->QueryInterface(IID_IShellDispatch2, shell.receive())))
    return {};
  return shell;
}

}  // namespace

// Before Vista the token knows no elevation: the queries fail there, and
// that failure is the answer "not applicable".
ElevationState Win32System::Elevation() {
  ElevationState state;
  // Wine answers the queries in any prefix; Windows before 6.0 would not.
  if (LOBYTE(LOWORD(::GetVersion())) < 6) return state;
  KernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.receive())) return state;
  TOKEN_ELEVATION_TYPE type{};
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  // ::TokenElevation is the information class, not this project's type.
  if (!::GetTokenInformation(token.get(), TokenElevationType, &type, sizeof type, &size) ||
      !::GetTokenInformation(token.get(), ::TokenElevation, &elevation, sizeof elevation, &size))
    return state;
  state.type = TypeOf(type);
  state.elevated = elevation.TokenIsElevated != 0;
  state.uac_on = UserAccountControlOn();
  return state;
}

// The copy is waited for until it says it arrived (or ends): it must know
// it is a copy, so that one still not elevated never asks again.
ElevationAnswer Win32Shell::RestartElevated(std::string_view parameters) {
  const std::string program = ModuleFileName();
  const std::string folder = CurrentFolder();
  const std::string text(parameters);
  if (program.empty()) return ElevationAnswer::Failed;
  KernelHandle arrival(::CreateEventA(nullptr, TRUE, FALSE, kArrivalEvent));
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "runas";
  info.lpFile = program.c_str();
  info.lpParameters = text.c_str();
  info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExA(&info))
    return ::GetLastError() == ERROR_CANCELLED ? ElevationAnswer::Refused : ElevationAnswer::Failed;
  elevated_copy_ = KernelHandle(info.hProcess);
  if (arrival && elevated_copy_) {
    HANDLE either[] = {arrival.get(), elevated_copy_.get()};
    ::WaitForMultipleObjects(2, either, FALSE, kArrivalWaitMilliseconds);
  }
  return ElevationAnswer::Accepted;
}

std::optional<std::uint32_t> Win32Shell::WaitForElevatedCopy() {
  if (!elevated_copy_) return std::nullopt;
  DWORD code = 0;
  if (::WaitForSingleObject(elevated_copy_.get(), INFINITE) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(elevated_copy_.get(), &code))
    return std::nullopt;
  return code;
}

// A copy started for another user (an administrator's password typed) may
// not open the event of the user who asked; that it exists says enough.
bool Win32Shell::ClaimElevatedRestart() {
  KernelHandle arrival(::OpenEventA(EVENT_MODIFY_STATE, FALSE, kArrivalEvent));
  if (!arrival) return ::GetLastError() == ERROR_ACCESS_DENIED;
  ::SetEvent(arrival.get());
  return true;
}

bool Win32Shell::StartAsDesktopUser(std::string_view program, std::string_view parameters,
                                    std::string_view directory) {
  const OleAutomation ole;
  if (!ole.ready()) return false;
  ComApartment apartment;
  ComPtr<IShellDispatch2> shell = DesktopShellDispatch(ole);
  if (!shell) return false;
  BSTR file_text = ole.Allocate(Wide(program));
  Variant arguments(ole, parameters);
  Variant folder(ole, directory);
  Variant operation(ole, std::string_view("open"));
  Variant show(ole, static_cast<long>(SW_SHOWNORMAL));
  const HRESULT started =
      shell->ShellExecute(file_text, arguments.get(), folder.get(), operation.get(), show.get());
  ole.Free(file_text);
  return SUCCEEDED(started);
}

}  // namespace tvx::win32
