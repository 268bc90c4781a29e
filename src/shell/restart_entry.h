// The entry that plays the product once Windows has restarted: a shortcut
// in the Startup folder starting this program in play mode.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tvx {

// "Play " + the application name: every start in play mode deletes the
// "Play *.*" entries.
std::string RestartEntryName(std::string_view application_name);

// Starts this program (its folder, its module name, ".exe") with "-play "
// + the application name, in the program's folder.
void CreateRestartEntry(Platform& platform, std::string_view application_name);

}  // namespace tvx
