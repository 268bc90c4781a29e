// SetupTvx.exe: the program on real Windows.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "shell/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tvx::win32::Win32Platform platform;
  tvx::RunApplication(platform.platform());
  return 0;
}
