// User-interface services through the Win32 calls.
#pragma once

#include <windows.h>

#include <vector>

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
  bool KeyPressed(int virtual_key) override { return ::GetAsyncKeyState(virtual_key) != 0; }
  bool DispatchOneMessage() override;

 private:
  // The panel while RunMainWindow runs, from its creation: the owner of
  // message boxes and dialogs that ask for the main window.
  HWND main_window_ = nullptr;
  // Modal dialogs now open, the innermost last: a dialog one of them opens
  // is its own, so it stays modal to it.
  std::vector<HWND> open_dialogs_;
  Win32Surface surface_;
};

}  // namespace tvx::win32
