// A relative Windows path from a script, made a path below a host folder
// only when it cannot leave it on either system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tvx::authoring {

struct SafePath {
  std::filesystem::path path;  // relative, UTF-8; empty for the folder itself
  std::string refusal;         // why the path was refused; empty when it was not
};

// Refuses an absolute path, a drive letter or any ":", a ".." step (and
// the dots and blanks Windows reads as one), a device name (CON, NUL,
// COM1...), the characters Windows forbids in a name and control bytes.
// Steps are split at "\" and "/"; empty and "." steps are dropped;
// trailing dots and blanks are dropped as Windows drops them.
SafePath SafeRelativePath(std::string_view windows_path);

// Finds a name in a folder without regard to ASCII case; nullopt when none
// matches or the folder cannot be listed.
std::optional<std::filesystem::path> FindNoCase(const std::filesystem::path& folder, const std::string& name);

}  // namespace tvx::authoring
