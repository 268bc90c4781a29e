// The Startup folder's entry that plays a product once Windows has
// restarted: a shortcut starting a copy of this program with "-play".
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tvx {

// "Play " + the product's name: every start in play mode deletes the
// "Play *.*" entries.
std::string PlayEntryName(std::string_view product_name);

// The entry starting program_file in program_folder (also its working
// folder) with "-play " + the product's name; nothing when the shell has
// no Startup folder.
void CreatePlayEntry(Platform& platform, std::string_view product_name, std::string_view program_folder,
                     std::string_view program_file);

}  // namespace tvx
