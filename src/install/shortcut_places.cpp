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

ShortcutPlaces::ShortcutPlaces(Shell& shell)
    : programs_(shell.SpecialFolderPath(SpecialFolder::Programs)),
      start_menu_(shell.SpecialFolderPath(SpecialFolder::StartMenu)),
      startup_(shell.SpecialFolderPath(SpecialFolder::Startup)),
      desktop_(shell.SpecialFolderPath(SpecialFolder::DesktopDirectory)) {}

bool ShortcutPlaces::IsShellFolder(std::string_view folder) const {
  for (const std::string* shell_folder : {&programs_, &start_menu_, &startup_, &desktop_})
    if (!shell_folder->empty() && EqualsNoCase(folder, *shell_folder)) return true;
  return false;
}

bool ShortcutPlaces::IsGroupFolder(std::string_view folder) const {
  folder = WithoutFinalBackslash(folder);
  const auto relative = Below(folder, programs_);
  return relative && AllPlain(*relative) && !IsShellFolder(folder);
}

bool ShortcutPlaces::IsProgramsOrGroup(std::string_view folder) const {
  folder = WithoutFinalBackslash(folder);
  return (!programs_.empty() && EqualsNoCase(folder, programs_)) || IsGroupFolder(folder);
}

bool ShortcutPlaces::IsOnDesktop(std::string_view path) const {
  const auto name = Below(path, desktop_);
  return name && IsPlainName(*name);
}

}  // namespace tvx
