// Removing a product's shortcuts on uninstall, from what "tvx.ini"
// recorded. The record is outside input: only the product's own folder
// under the Programs menu, its group's uninstall shortcut and its two
// desktop shortcuts are ever deleted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "registry/registry_process_state.h"
#include "script/script_process_state.h"

namespace tvx {

struct RecordedShortcuts {
  std::string product;      // the product's name in "INSTALLED PRODUCTS"
  std::string folder;       // "ShortCutDirectory": the product's folder in its group
  std::string desktop;      // "ShortCutDesktopName", without ".lnk"
  std::string web_desktop;  // "WebShortCutDesktopName"; empty without one
};

// The product's shortcut entries; nullopt unless both the folder and the
// desktop shortcut are recorded.
std::optional<RecordedShortcuts> ReadRecordedShortcuts(FileSystem& files, RegistryProcessState& state,
                                                       std::string_view product);

// Deletes the product's folder with its shortcuts, the group's uninstall
// shortcut when no other recorded product has its folder in the same group,
// the group and its empty parents up to the Programs folder, and the
// desktop shortcuts. Paths that lead elsewhere are left alone.
void RemoveShortcuts(Platform& platform, ScriptProcessState& script_state,
                     RegistryProcessState& registry_state, const RecordedShortcuts& recorded);

}  // namespace tvx
