// The parsed install script: what every other subsystem reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "script/configuration.h"
#include "script/copy_item.h"

namespace tvx {

struct ScreenPosition {
  std::int16_t x = 0;
  std::int16_t y = 0;

  bool operator==(const ScreenPosition&) const = default;
};

// Six parallel lists, one entry per language; the last two may be shorter.
struct LanguageTable {
  std::vector<std::string> keys;
  std::vector<std::string> labels;
  std::vector<std::string> common_strings_files;
  std::vector<std::string> product_strings_files;
  std::vector<std::string> fifth_fields;
  std::vector<std::string> sixth_fields;

  bool operator==(const LanguageTable&) const = default;
};

// Where the script came from and how its last load ended.
struct ScriptLoadState {
  std::string path;
  bool encoded = false;
  std::int32_t error_line = -1;  // -1 after a successful load

  bool operator==(const ScriptLoadState&) const = default;
};

inline constexpr const char* kDataSourceCdRom = "CD ROM";
// The one volume name this program is made for: any other is warned about,
// and only this one sends the search for the source to the CD-ROM drives.
inline constexpr const char* kMasterVolumeName = "ZEPHRA";

struct InstallScript {
  std::string default_path;
  std::string data_source = kDataSourceCdRom;
  CopyItemList common_files;
  CopyItemList common_language_files;
  std::vector<std::string> erasable_files;
  std::vector<std::string> non_vital_files;
  std::vector<std::string> vital_files;
  std::vector<Configuration> configurations;
  std::string application_name;
  LanguageTable languages;
  std::string image;
  std::string volume_name;
  bool client_offered = false;
  bool create_log = false;
  std::array<ScreenPosition, 4> button_positions{};
  std::array<ScreenPosition, 4> guide_positions{};
  bool web_button = false;
  std::string web_button_address;
  ScreenPosition web_button_position;
  bool web_shortcut = false;
  std::string web_shortcut_name;
  std::string web_shortcut_address;
  std::string icon;
  std::string version;
  std::string client_folder;
  std::int32_t memory_requirement = -1;  // megabytes; -1 and 0: none
  bool sequence_auto = false;
  std::vector<std::string> web_addresses;
  ScriptLoadState load;

  bool operator==(const InstallScript&) const = default;
};

}  // namespace tvx
