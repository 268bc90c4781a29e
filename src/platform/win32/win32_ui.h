// User-interface services through the Win32 calls.
#pragma once

#include <windows.h>

#include "platform/ui.h"
#include "platform/win32/win32_surface.h"

namespace tvx::win32 {

class Win32Ui : public Ui {
 public:
  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  int RunDialog(DialogModel& model) override;
  int RunMainWindow(DialogModel& model) override;
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override;
  Surface& surface() override { return surface_; }

  // The window that owns message boxes once the panel is up.
  void SetMainWindow(HWND window) { main_window_ = window; }

 private:
  HWND main_window_ = nullptr;
  Win32Surface surface_;
};

}  // namespace tvx::win32
