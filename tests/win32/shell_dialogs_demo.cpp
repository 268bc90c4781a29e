// tvx_shell_dialogs_demo: the folder browser and the program-group dialog
// with the real backend and the program's resources, for end-to-end checks
// under Wine.
//   tvx_shell_dialogs_demo browse-drives          prints "answer=N path=P"
//   tvx_shell_dialogs_demo browse-programs START  prints "answer=N path=P"
//   tvx_shell_dialogs_demo group                  prints "answer=N group=G"
//   tvx_shell_dialogs_demo programs               prints the Programs folder
// Programs mode opens on the Programs folder + "\" + START; the group
// dialog on the default group, "Tarvex Games" in the Programs folder.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "install/group_dialog.h"
#include "platform/win32/win32_platform.h"
#include "ui/folder_browser.h"

namespace {

// The sample disc's English texts, but for the refusal's caption: the disc
// gives it the dialog's own title, and the automation finds windows by it.
std::string Label(int number) {
  switch (number) {
    case 140:
      return "Program Group";
    case 141:
      return "Program group of the shortcuts";
    case 142:
      return "Browse...";
    case 143:
    case 292:
      return "OK";
    case 144:
      return "Not a Program Group";
    case 145:
      return "Choose a group inside the Programs menu.";
    case 290:
      return "Choose a folder";
    case 293:
      return "Cancel";
    case 300:
      return "Choose a program group";
    default:
      return "?";
  }
}

int Browse(tvx::Platform& platform, tvx::FolderBrowser::Mode mode, const std::string& start) {
  // The C: drive as the directory dialog would list it, with room.
  std::vector<tvx::BrowserDrive> drives{{"C:\\", "NoLabel", true}};
  tvx::FolderBrowser browser(platform.files, platform.shell, mode, drives, Label);
  if (mode == tvx::FolderBrowser::Mode::Programs)
    browser.set_path(platform.shell.SpecialFolderPath(tvx::SpecialFolder::Programs) + "\\" + start);
  const int answer = platform.ui.RunDialog(browser);
  std::printf("answer=%d path=%s\n", answer, browser.path().c_str());
  return answer;
}

int Group(tvx::Platform& platform) {
  const std::string programs = platform.shell.SpecialFolderPath(tvx::SpecialFolder::Programs);
  tvx::UiProcessState state;
  tvx::GroupDialog dialog(platform, state, programs, programs + "\\Tarvex Games\\", Label);
  const int answer = platform.ui.RunDialog(dialog);
  std::printf("answer=%d group=%s\n", answer, dialog.group().c_str());
  return answer;
}

}  // namespace

int main(int argc, char** argv) {
  tvx::win32::Win32Platform real;
  tvx::Platform& platform = real.platform();
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "browse-drives") return Browse(platform, tvx::FolderBrowser::Mode::Drives, "");
  if (what == "browse-programs" && argc > 2)
    return Browse(platform, tvx::FolderBrowser::Mode::Programs, argv[2]);
  if (what == "group") return Group(platform);
  if (what == "programs") {
    std::puts(platform.shell.SpecialFolderPath(tvx::SpecialFolder::Programs).c_str());
    return 0;
  }
  std::puts("usage: tvx_shell_dialogs_demo browse-drives | browse-programs START | group | programs");
  return 2;
}
