// tvxgame.exe: the test game on Windows, started by the Play action.
#include <windows.h>

#include "game_record.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tvx::win32::Win32Platform platform;
  return tvx::game::RecordThisRun(platform.platform()) ? 0 : 1;
}
