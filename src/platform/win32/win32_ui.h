// User-interface services through the Win32 calls.
#pragma once

#include <windows.h>

#include "platform/ui.h"

namespace tvx::win32 {

class Win32Ui : public Ui {
 public:
  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  // The window that owns message boxes once the panel is up.
  void SetMainWindow(HWND window) { main_window_ = window; }

 private:
  HWND main_window_ = nullptr;
};

}  // namespace tvx::win32
