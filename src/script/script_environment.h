// What reading a script needs from outside it: the platform, the
// subsystem's process-wide values, the test catalogues and two answers
// of the product registry.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "script/detection_catalogue.h"
#include "script/script_process_state.h"

namespace tvx {

// The product registry's "VolumeName" of the product with this name, when
// it records one.
using RegisteredVolumeName = std::function<std::optional<std::string>(std::string_view application_name)>;

struct ScriptEnvironment {
  Platform& platform;
  ScriptProcessState& state;
  DetectionCatalogue& tests;
  // Where the script and the product strings live (no final "\").
  std::string install_data_folder;
  RegisteredVolumeName registered_volume_name;  // may be empty
};

}  // namespace tvx
