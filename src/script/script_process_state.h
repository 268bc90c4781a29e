// The install-script subsystem's process-wide values: flags and texts the
// parser fills for other subsystems, and the loaded strings.
#pragma once

#include <string>

#include "script/string_table.h"

namespace tvx {

struct ScriptProcessState {
  bool use_type_config = false;  // USE TYPE CONFIG
  bool button_guide = false;     // BUTTON GUIDE
  bool keep_guides = false;      // DO NOT ERASE BUTTON GUIDES
  // Expected versions of the online-service client's parts; "0" takes any.
  std::string client_startup_version;
  std::string client_version;
  std::string client_library_version;
  std::string product_library_version;
  // The language tag that language file lines take while the script is read.
  std::string language_tag;

  bool strings_failed = false;
  std::string current_language;
  StringTable strings;
};

}  // namespace tvx
