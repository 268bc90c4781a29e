// The shell folders a product's shortcuts go to: the user's own, or on NT 6
// and later those all users share, so that an installation run with an
// administrator's password still shows them to the user who started it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace tvx {

struct ShortcutFolders {
  std::string programs;
  std::string start_menu;
  std::string startup;
  std::string desktop;
};

// NT 6 or later, where an installation may run as another user.
bool SharesShortcutsWithAllUsers(const VersionRecord& version);

ShortcutFolders UserShortcutFolders(Shell& shell);
// Empty where the shell has no common Programs or Desktop folder.
ShortcutFolders CommonShortcutFolders(Shell& shell);

// Where new shortcuts go on this system: the common folders on NT 6 or
// later when the shell has them, the user's otherwise.
ShortcutFolders NewShortcutFolders(Platform& platform);

// Every set of folders a product's shortcuts may be found in: the user's,
// and on NT 6 or later the common ones too (older installations put them
// in the user's).
std::vector<ShortcutFolders> KnownShortcutFolders(Platform& platform);

}  // namespace tvx
