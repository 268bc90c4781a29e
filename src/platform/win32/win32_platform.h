// The real platform: every seam interface on the Win32 API.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"

namespace tvx::win32 {

class Win32Platform {
 public:
  Win32Platform() : platform_{files_, registry_, system_, shell_, ui_} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }
  Win32Ui& ui() { return ui_; }

 private:
  Win32FileSystem files_;
  Win32Registry registry_;
  Win32System system_;
  Win32Shell shell_;
  Win32Ui ui_;
  Platform platform_;
};

}  // namespace tvx::win32
