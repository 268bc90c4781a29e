#include "platform/win32/win32_ui.h"

#include <string>

#include "platform/win32/win32_dialog_host.h"

namespace tvx::win32 {

int Win32Ui::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                            BoxOwner owner) {
  const HWND window = owner == BoxOwner::MainWindow ? main_window_ : nullptr;
  return ::MessageBoxA(window, std::string(text).c_str(), std::string(caption).c_str(), style);
}

int Win32Ui::RunDialog(DialogModel& model) {
  Win32DialogHost host(model);
  const HWND owner = open_dialogs_.empty() ? main_window_ : open_dialogs_.back();
  host.set_on_created([this](HWND window) { open_dialogs_.push_back(window); });
  const std::size_t depth = open_dialogs_.size();
  const int code = host.RunModal(owner);
  open_dialogs_.resize(depth);
  return code;
}

namespace {

// A power query queued while the panel is up must not let the machine go
// to standby under an installation: it is turned into a message that does
// nothing.
LRESULT CALLBACK DropStandbyQueries(int code, WPARAM wparam, LPARAM lparam) {
  auto* message = reinterpret_cast<MSG*>(lparam);
  if (code == HC_ACTION && message->message == WM_POWERBROADCAST && message->wParam == PBT_APMQUERYSTANDBY)
    message->message = WM_NULL;
  return ::CallNextHookEx(nullptr, code, wparam, lparam);
}

struct HookOwner {
  HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, DropStandbyQueries, nullptr, ::GetCurrentThreadId());
  ~HookOwner() {
    if (hook) ::UnhookWindowsHookEx(hook);
  }
};

constexpr int kProgramIcon = 128;

}  // namespace

int Win32Ui::RunMainWindow(DialogModel& model) {
  const HookOwner standby_filter;
  Win32DialogHost host(model);
  host.set_icon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kProgramIcon)));
  host.set_on_created([this](HWND window) { main_window_ = window; });
  const int code = host.RunModal(nullptr);
  main_window_ = nullptr;
  return code;
}

std::unique_ptr<ModelessDialog> Win32Ui::OpenModeless(DialogModel& model, BoxOwner owner) {
  auto host = std::make_unique<Win32DialogHost>(model);
  if (!host->OpenModeless(owner == BoxOwner::MainWindow ? main_window_ : nullptr)) return nullptr;
  return host;
}

bool Win32Ui::DispatchOneMessage() {
  MSG message;
  if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  // A quit request belongs to the loop that runs the program: put it back.
  if (message.message == WM_QUIT) {
    ::PostQuitMessage(static_cast<int>(message.wParam));
    return true;
  }
  ::DispatchMessageA(&message);
  return true;
}

}  // namespace tvx::win32
