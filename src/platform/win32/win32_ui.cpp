#include "platform/win32/win32_ui.h"

#include <string>

namespace tvx::win32 {

int Win32Ui::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                            BoxOwner owner) {
  const HWND window = owner == BoxOwner::MainWindow ? main_window_ : nullptr;
  return ::MessageBoxA(window, std::string(text).c_str(), std::string(caption).c_str(), style);
}

}  // namespace tvx::win32
