// copy_tree_box SOURCE DESTINATION: the installation's copy step on the real
// API, its progress box on screen, for a whole folder tree. Prints the
// copy's own seconds and the process's peak working set.
#include <cstdio>
#include <string>

#include "install/copy_files.h"
#include "platform/win32/win32_platform.h"
#include "tree_items.h"
#include "win32_copy_report.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: copy_tree_box SOURCE DESTINATION\n", stderr);
    return 2;
  }
  tvx::win32::Win32Platform real;
  tvx::Platform& platform = real.platform();
  const tvx::bench::CopyClock clock;
  tvx::CopyItemList list;
  if (!tvx::bench::AddTree(platform.files, argv[1], "\\", list)) {
    std::fprintf(stderr, "copy_tree_box: cannot list %s\n", argv[1]);
    return 2;
  }
  std::string destination = argv[2];
  if (destination.empty() || destination.back() != '\\') destination += '\\';
  tvx::CopyRequest request{platform, [](int number) { return "text " + std::to_string(number); },
                           tvx::CopyPlaces{argv[1], destination, platform.files.SystemDirectory()}};
  const tvx::CopyOutcome outcome = tvx::CopyFiles(request, list);
  tvx::bench::PrintReport("box", clock);
  return outcome.code == tvx::CopyOutcome::kDone ? 0 : 1;
}
