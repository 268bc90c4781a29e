#include "install/remove_shortcuts.h"

#include <vector>

#include "install/create_shortcuts.h"
#include "install/shortcut_places.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"
#include "script/strings_loader.h"

namespace tvx {
namespace {

// The group-wide uninstall shortcut's file name in every language whose
// strings are kept in the common folder.
std::vector<std::string> GroupShortcutNames(Platform& platform, ScriptProcessState& state) {
  std::vector<std::string> names;
  const std::string shared = SharedStringsFolder(platform.files);
  for (const FindEntry& entry : platform.files.Find(JoinPath(shared, "strings.*")).entries) {
    if (entry.IsDirectory()) continue;
    const std::string name = ReadOneString(platform, state, entry.name, kGroupUninstallName);
    if (name != kNullString) names.push_back(name + ".lnk");
  }
  return names;
}

bool IsOneOf(std::string_view name, const std::vector<std::string>& names) {
  for (const std::string& candidate : names)
    if (EqualsNoCase(name, candidate)) return true;
  return false;
}

void DeleteProductFolder(Platform& platform, const std::string& folder,
                         const std::vector<std::string>& kept) {
  for (const FindEntry& entry : platform.files.Find(JoinPath(folder, "*.*")).entries) {
    if (entry.IsDirectory() || IsOneOf(entry.name, kept)) continue;
    DeleteFileIfWritable(platform.files, JoinPath(folder, entry.name));
  }
  // Making the shortcuts may have left the process in the folder, which
  // could not be removed then.
  platform.files.ChangeDirectory(folder.substr(0, 3));
  platform.files.RemoveEmptyDirectory(folder);
}

// Whether another product recorded in "tvx.ini" keeps its shortcut folder
// in the same group, the product being removed aside.
bool GroupUsedByAnother(FileSystem& files, RegistryProcessState& state, std::string_view product,
                        std::string_view group) {
  const std::vector<std::string> products = ListInstalledProducts(files, state);
  ProductRegistryFile registry(files, state);
  for (const std::string& other : products) {
    std::string folder;
    if (other == product || !registry.ReadString(other, "ShortCutDirectory", folder)) continue;
    if (EqualsNoCase(UpToLastBackslash(WithoutFinalBackslash(folder)), group)) return true;
  }
  return false;
}

// The group and its parents, while they are empty, up to but never
// including the Programs folder.
void RemoveEmptyGroups(FileSystem& files, const ShortcutPlaces& places, std::string folder) {
  while (places.IsGroupFolder(folder) && files.RemoveEmptyDirectory(folder) == FileError::None)
    folder = std::string(UpToLastBackslash(folder));
}

void DeleteDesktopShortcut(FileSystem& files, const ShortcutPlaces& places, const std::string& path) {
  if (path.empty()) return;
  const std::string file = path + ".lnk";
  if (places.IsOnDesktop(file)) DeleteFileIfWritable(files, file);
}

}  // namespace

std::optional<RecordedShortcuts> ReadRecordedShortcuts(FileSystem& files, RegistryProcessState& state,
                                                       std::string_view product) {
  ProductRegistryFile registry(files, state);
  RecordedShortcuts recorded{std::string(product), {}, {}, {}};
  if (!registry.ReadString(product, "ShortCutDirectory", recorded.folder) ||
      !registry.ReadString(product, "ShortCutDesktopName", recorded.desktop))
    return std::nullopt;
  registry.ReadString(product, "WebShortCutDesktopName", recorded.web_desktop);
  return recorded;
}

void RemoveShortcuts(Platform& platform, ScriptProcessState& script_state,
                     RegistryProcessState& registry_state, const RecordedShortcuts& recorded) {
  const ShortcutPlaces places(platform);
  const std::string folder(WithoutFinalBackslash(recorded.folder));
  if (places.IsGroupFolder(folder)) {
    const std::vector<std::string> group_shortcuts = GroupShortcutNames(platform, script_state);
    DeleteProductFolder(platform, folder, group_shortcuts);
    const std::string group(UpToLastBackslash(folder));
    if (places.IsProgramsOrGroup(group) &&
        !GroupUsedByAnother(platform.files, registry_state, recorded.product, group)) {
      for (const std::string& name : group_shortcuts)
        DeleteFileIfWritable(platform.files, JoinPath(group, name));
    }
    RemoveEmptyGroups(platform.files, places, group);
  }
  DeleteDesktopShortcut(platform.files, places, recorded.desktop);
  DeleteDesktopShortcut(platform.files, places, recorded.web_desktop);
}

}  // namespace tvx
