// The shell folders that shortcuts live in, and the paths from outside
// input that removal may act on inside them.
#pragma once

#include <string>
#include <string_view>

#include "platform/shell.h"

namespace tvx {

class ShortcutPlaces {
 public:
  explicit ShortcutPlaces(Shell& shell);

  // A folder strictly inside the Programs folder, reached through plain
  // names only, and none of the shell's own folders.
  bool IsGroupFolder(std::string_view folder) const;
  // The Programs folder itself, or a group folder.
  bool IsProgramsOrGroup(std::string_view folder) const;
  // A file right in the Desktop folder, by a plain name.
  bool IsOnDesktop(std::string_view path) const;
  const std::string& programs() const { return programs_; }

 private:
  bool IsShellFolder(std::string_view folder) const;

  std::string programs_;
  std::string start_menu_;
  std::string startup_;
  std::string desktop_;
};

// A name a folder or file may have without leading anywhere else: not
// empty, not "." or "..", no device or stream colon, no wildcard, no
// trailing dot or blank (the platform drops them), nothing that reads as
// a short name ("~" and a digit).
bool IsPlainName(std::string_view name);

}  // namespace tvx
