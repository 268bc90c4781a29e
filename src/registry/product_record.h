// Recording an installed product in the product registry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "registry/registry_process_state.h"
#include "script/install_script.h"

namespace tvx {

inline constexpr const char* kRecordFailedText =
    "'Tvx.ini' file was not well updated for this product !\nTry to re-install it...";
inline constexpr const char* kRecordFailedCaption = "Error with 'Tvx.ini' file";

// What the installation settled, beside the script, for the record.
struct InstallChoices {
  std::string install_directory;   // ends in "\"
  std::string source_directory;    // where the files were copied from
  std::int32_t configuration = 0;  // index in the script's configurations
  std::string language;            // the chosen language's key
  // Localized string 352 with the localized application name: the desktop
  // play shortcut's name, without ".lnk".
  std::string desktop_shortcut_name;
  std::string web_address;  // chosen for the online-service client; may be empty
};

// "SrcDataPath": the program's folder without its drive when it runs from
// a CD-ROM, otherwise the installation's source; with a final "\".
std::string SourceDataPath(FileSystem& files, std::string_view source_directory);

// Writes the product's entries and saves; a failure shows its message and
// answers false.
bool RecordProduct(Platform& platform, RegistryProcessState& state, const InstallScript& script,
                   const InstallChoices& choices, std::string_view shortcut_folder);

}  // namespace tvx
