// tvx_install_dialogs_demo: the licence dialog and the installation-
// directory dialog with the real backend and the program's resources, for
// end-to-end checks under Wine.
//   tvx_install_dialogs_demo license NAME     prints "accepted=0|1"
//   tvx_install_dialogs_demo directory PATH   prints "answer=PATH" or "answer=none"
//   tvx_install_dialogs_demo metrics          prints the frame and caption metrics
// The licence file NAME is found as the install sequence finds it: beside
// this program unless it begins with "\".
#include <windows.h>

#include <cstdio>
#include <string>

#include "install/choose_destination.h"
#include "install/license_dialog.h"
#include "platform/win32/win32_platform.h"

namespace {

// English texts as a strings file would give them, but for the refusals'
// caption: the automation finds windows by it.
std::string Label(int number) {
  switch (number) {
    case 0:
      return "Decline";
    case 1:
      return "Accept";
    case 120:
      return "Installation Directory";
    case 121:
      return "Install Zephra in this directory";
    case 122:
      return "Browse...";
    case 123:
    case 292:
      return "OK";
    case 124:
      return "Not an Installation Directory";
    case 127:
    case 293:
      return "Cancel";
    case 128:
      return "This is not a valid installation directory.";
    case 270:
      return "License Agreement - ";
    case 290:
      return "Choose a folder";
    case 440:
      return "Please read the following license agreement carefully.";
    case 441:
      return "Do you accept all the terms of the license agreement?";
    default:
      return "?";
  }
}

int License(tvx::Platform& platform, const std::string& name) {
  tvx::InstallScript script;
  script.languages.keys = {"English"};
  script.languages.sixth_fields = {name};
  tvx::UiProcessState state;
  const bool accepted = tvx::ShowLicenseAgreement(platform, state, script, 0, Label, "Zephra");
  std::printf("accepted=%d\n", accepted ? 1 : 0);
  return 0;
}

int Directory(tvx::Platform& platform, const std::string& path) {
  std::vector<tvx::DriveInfo> drives = tvx::ListFixedDrives(platform.files);
  tvx::FitsOnSomeDrive(drives, 1000, 10, 0, "");
  tvx::UiProcessState state;
  tvx::DestinationRequest request{platform, state, Label, drives, path, "", 1000, 10};
  const auto chosen = tvx::ChooseDestination(request);
  std::printf("answer=%s\n", chosen ? chosen->c_str() : "none");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  tvx::win32::Win32Platform real;
  tvx::Platform& platform = real.platform();
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "license" && argc > 2) return License(platform, argv[2]);
  if (what == "directory" && argc > 2) return Directory(platform, argv[2]);
  if (what == "metrics") {
    std::printf("%d %d %d %d\n", ::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME),
                ::GetSystemMetrics(SM_CYCAPTION), ::GetSystemMetrics(SM_CYSIZE));
    return 0;
  }
  std::puts("usage: tvx_install_dialogs_demo license NAME | directory PATH | metrics");
  return 2;
}
