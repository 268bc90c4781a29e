#include "install/shortcut_places.h"

#include <algorithm>
#include <optional>

#include "platform/path_text.h"

namespace tvx {
namespace {

// The part of a path after the folder and a "\"; nullopt when the path is
// not below the folder.
std::optional<std::string_view> Below(std::string_view path, std::string_view folder) {
  if (folder.empty() || path.size() <= folder.size() + 1) return std::nullopt;
  if (!EqualsNoCase(path.substr(0, folder.size()), folder) || path[folder.size()] != '\\')
    return std::nullopt;
  return path.substr(folder.size() + 1);
}

bool AllPlain(std::string_view relative) {
  while (true) {
    const std::size_t end = std::min(relative.find('\\'), relative.size());
    if (!IsPlainName(relative.substr(0, end))) return false;
    if (end == relative.size()) return true;
    relative.remove_prefix(end + 1);
  }
}

}  // namespace

bool IsPlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  // "NAME~1" may be the short name of another folder, the Startup one say.
  for (std::size_t i = 0; i + 1 < name.size(); ++i)
    if (name[i] == '~' && name[i + 1] >= '0' && name[i + 1] <= '9') return false;
  for (unsigned char c : name)
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
  return true;
}

ShortcutPlaces::ShortcutPlaces(Platform& platform) : known_(KnownShortcutFolders(platform)) {}

bool ShortcutPlaces::IsShellFolder(std::string_view folder) const {
  for (const ShortcutFolders& folders : known_)
    for (const std::string* shell_folder :
         {&folders.programs, &folders.start_menu, &folders.startup, &folders.desktop})
      if (!shell_folder->empty() && EqualsNoCase(folder, *shell_folder)) return true;
  return false;
}

bool ShortcutPlaces::IsProgramsFolder(std::string_view folder) const {
  for (const ShortcutFolders& folders : known_)
    if (!folders.programs.empty() && EqualsNoCase(folder, folders.programs)) return true;
  return false;
}

bool ShortcutPlaces::IsGroupFolder(std::string_view folder) const {
  folder = WithoutFinalBackslash(folder);
  if (IsShellFolder(folder)) return false;
  for (const ShortcutFolders& folders : known_) {
    const auto relative = Below(folder, folders.programs);
    if (relative && AllPlain(*relative)) return true;
  }
  return false;
}

bool ShortcutPlaces::IsProgramsOrGroup(std::string_view folder) const {
  folder = WithoutFinalBackslash(folder);
  return IsProgramsFolder(folder) || IsGroupFolder(folder);
}

bool ShortcutPlaces::IsOnDesktop(std::string_view path) const {
  for (const ShortcutFolders& folders : known_) {
    const auto name = Below(path, folders.desktop);
    if (name && IsPlainName(*name)) return true;
  }
  return false;
}

}  // namespace tvx
