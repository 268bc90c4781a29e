// A stand-in for a video codec on the disc: a library with the codec's
// name and a version resource, whose driver entry answers nothing. The
// installers only copy, read the version and register it.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT WINAPI DriverProc(DWORD_PTR, HANDLE, UINT, LPARAM, LPARAM) {
  return 0;
}
