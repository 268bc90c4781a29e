// The shell folders that shortcuts live in, and the paths from outside
// input that removal may act on inside them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/shortcut_folders.h"

namespace tvx {

class ShortcutPlaces {
 public:
  // The user's folders, and on NT 6 or later the common ones as well.
  explicit ShortcutPlaces(Platform& platform);

  // A folder strictly inside a Programs folder, reached through plain
  // names only, and none of the shell's own folders.
  bool IsGroupFolder(std::string_view folder) const;
  // A Programs folder itself, or a group folder.
  bool IsProgramsOrGroup(std::string_view folder) const;
  // A file right in a Desktop folder, by a plain name.
  bool IsOnDesktop(std::string_view path) const;

 private:
  bool IsShellFolder(std::string_view folder) const;
  bool IsProgramsFolder(std::string_view folder) const;

  std::vector<ShortcutFolders> known_;
};

// A name a folder or file may have without leading anywhere else: not
// empty, not "." or "..", no device or stream colon, no wildcard, no
// trailing dot or blank (the platform drops them), nothing that reads as
// a short name ("~" and a digit).
bool IsPlainName(std::string_view name);

}  // namespace tvx
