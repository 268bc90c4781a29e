// tvxtool match: the machine tests and the configuration matching of a
// script on a simulated machine, as JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "script/detection_catalogue.h"
#include "script/install_script.h"
#include "script/script_process_state.h"

namespace tvx::authoring {

// Loads the language's strings (the script's first language when empty),
// runs the preparation the program runs before its panel, and reports the
// tests run, every configuration, the proposal, the playable configuration
// and the no-match flag. nullopt with a reason when the strings or the
// language are missing.
std::optional<nlohmann::ordered_json> MatchReport(Platform& platform, InstallScript& script,
                                                  ScriptProcessState& state, DetectionCatalogue& tests,
                                                  const std::string& language, std::string& error);

}  // namespace tvx::authoring
