// One CONFIG block of the install script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script/copy_item.h"
#include "script/requirement.h"

namespace tvx {

struct ShortcutList {
  std::vector<std::string> names;
  std::vector<std::string> programs;
  std::vector<std::string> icons;
  std::vector<std::string> arguments;
  std::vector<std::string> locations;  // "CD", "HD", "README", "HTTP" or other

  bool operator==(const ShortcutList&) const = default;
};

struct IniEntries {
  std::vector<std::string> keys;
  std::vector<std::string> values;

  bool operator==(const IniEntries&) const = default;
};

struct DllCall {
  bool present = false;
  std::string dll_path;
  std::string function_name;
  std::string data_path;

  bool operator==(const DllCall&) const = default;
};

struct Configuration {
  std::string name;  // localized, set once the strings are loaded
  std::string type;
  std::string program_name;
  std::string working_directory;
  bool selectable = false;
  bool requirements_met = false;
  std::vector<Requirement> hardware;
  std::vector<Requirement> software;
  std::vector<Requirement> system;
  CopyItemList files;
  CopyItemList language_files;
  bool language_files_merged = false;
  bool playable = false;
  bool without_common_files = false;
  DllCall dll_call;
  bool launch = false;
  std::string launch_command;
  bool skip_shortcut = false;
  ShortcutList shortcuts;
  IniEntries ini;
  bool exe_on_cd = false;
  std::int64_t component_size = 0;  // blocks, from SOFTWARE COMPONENTS

  bool operator==(const Configuration&) const = default;
};

}  // namespace tvx
