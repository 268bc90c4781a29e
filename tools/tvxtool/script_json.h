// The parsed script as JSON, for authors and tests. Texts are Windows-1252
// in the model and UTF-8 in the JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "script/install_script.h"
#include "script/script_process_state.h"

namespace tvx::authoring {

std::string Windows1252ToUtf8(std::string_view text);
nlohmann::ordered_json ScriptToJson(const InstallScript& script, const ScriptProcessState& state);

}  // namespace tvx::authoring
