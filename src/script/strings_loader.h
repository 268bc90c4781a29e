// Loading the localized strings files of a language, keeping the shared
// copies under the Windows folder fresh, and the lookups that need files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "script/install_script.h"
#include "script/script_process_state.h"

namespace tvx {

// The common folder that holds the shared strings files: Windows + "\Tarvex".
std::string SharedStringsFolder(FileSystem& files);

// Appends the common file (from the shared folder, refreshed first from the
// install-data folder) and the product file (from the install-data folder)
// to the process's table; a file that cannot be read is reported and sets
// the strings-failed flag.
void LoadStrings(Platform& platform, ScriptProcessState& state, std::string_view install_data_folder,
                 std::string_view common_name, std::string_view product_name);

// One text straight from a shared strings file; kNullString when absent.
std::string ReadOneString(Platform& platform, ScriptProcessState& state, std::string_view file_name,
                          std::int32_t number);

// Configuration i, in script order, takes the text numbered "[ConfigName]"'s
// number + i.
void SetConfigurationNames(InstallScript& script, StringTable& strings, Ui& ui);

}  // namespace tvx
