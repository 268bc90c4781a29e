// Windows paths taken apart: drive letter and components, made absolute.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_types.h"

namespace tvx::host {

struct WindowsPath {
  char drive = 'C';  // upper case
  std::vector<std::string> components;

  bool IsRoot() const { return components.empty(); }
  WindowsPath Parent() const;
  std::string Text() const;  // "C:\A\B", "C:\" for a root
  bool operator==(const WindowsPath&) const = default;
};

struct ParsedPath {
  std::optional<WindowsPath> path;
  FileError error = FileError::None;
};

// Resolves "." and "..", drive-relative and relative forms against the
// current directory, drops the trailing dots and blanks Windows ignores.
// Wildcards are refused unless allow_wildcards_in_last is set.
ParsedPath ParseWindowsPath(std::string_view text, const WindowsPath& current,
                            bool allow_wildcards_in_last = false);

// How FindFirstFileA matches a name: ASCII case ignored, "*" and "?", and a
// final ".*" that also matches a name without any dot.
bool MatchesFindPattern(std::string_view pattern, std::string_view name);

}  // namespace tvx::host
