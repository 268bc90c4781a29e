// SetupTvx.exe: the program on real Windows.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "shell/application.h"

// The exit code tells scripts how start-up ended: 0 it went on (or the
// web link was opened), 1 the system was refused, 2 another setup runs;
// a silent run tells how it ended.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tvx::win32::Win32Platform platform;
  return tvx::RunApplication(platform.platform()).exit_code;
}
