#include "platform/shortcut_folders.h"

namespace tvx {
namespace {

bool IsComplete(const ShortcutFolders& folders) {
  return !folders.programs.empty() && !folders.desktop.empty();
}

}  // namespace

bool SharesShortcutsWithAllUsers(const VersionRecord& version) {
  return version.platform_id == kPlatformWin32Nt && version.major >= 6;
}

ShortcutFolders UserShortcutFolders(Shell& shell) {
  return {shell.SpecialFolderPath(SpecialFolder::Programs), shell.SpecialFolderPath(SpecialFolder::StartMenu),
          shell.SpecialFolderPath(SpecialFolder::Startup),
          shell.SpecialFolderPath(SpecialFolder::DesktopDirectory)};
}

ShortcutFolders CommonShortcutFolders(Shell& shell) {
  ShortcutFolders folders{shell.SpecialFolderPath(SpecialFolder::CommonPrograms),
                          shell.SpecialFolderPath(SpecialFolder::CommonStartMenu),
                          shell.SpecialFolderPath(SpecialFolder::CommonStartup),
                          shell.SpecialFolderPath(SpecialFolder::CommonDesktopDirectory)};
  return IsComplete(folders) ? folders : ShortcutFolders{};
}

ShortcutFolders NewShortcutFolders(Platform& platform) {
  if (SharesShortcutsWithAllUsers(platform.system.Version())) {
    ShortcutFolders common = CommonShortcutFolders(platform.shell);
    if (IsComplete(common)) return common;
  }
  return UserShortcutFolders(platform.shell);
}

std::vector<ShortcutFolders> KnownShortcutFolders(Platform& platform) {
  std::vector<ShortcutFolders> known{UserShortcutFolders(platform.shell)};
  if (SharesShortcutsWithAllUsers(platform.system.Version())) {
    ShortcutFolders common = CommonShortcutFolders(platform.shell);
    if (IsComplete(common)) known.push_back(std::move(common));
  }
  return known;
}

}  // namespace tvx
