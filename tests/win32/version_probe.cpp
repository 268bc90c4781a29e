// Prints the version GetVersionExA reports, as "major.minor.build
// platform": built with and without the program's manifest, it shows what
// the manifest changes.
#include <windows.h>

#include <cstdio>

int main() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!::GetVersionExA(&info)) return 1;
  std::printf("%lu.%lu.%lu %lu\n", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
              info.dwPlatformId);
  return 0;
}
