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
  return host.RunModal(main_window_);
}

std::unique_ptr<ModelessDialog> Win32Ui::OpenModeless(DialogModel& model, BoxOwner owner) {
  auto host = std::make_unique<Win32DialogHost>(model);
  if (!host->OpenModeless(owner == BoxOwner::MainWindow ? main_window_ : nullptr)) return nullptr;
  return host;
}

}  // namespace tvx::win32
