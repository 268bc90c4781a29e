// The grammar of the install script: sections, lists and CONFIG blocks,
// then the rules applied once the script is read.
#pragma once

#include "script/install_script.h"
#include "script/script_environment.h"
#include "script/script_line_reader.h"

namespace tvx {

// Reads the whole script into the model; answers success. On failure the
// model's error line is the reader's line count where parsing stopped.
bool ParseScript(ScriptLineReader& reader, ScriptEnvironment& environment, InstallScript& script);

// The rules that follow END SCRIPT: the demo and shareware volume names,
// the default path, and the install-data entries of every configuration.
void ApplyPostParseRules(ScriptEnvironment& environment, InstallScript& script);

}  // namespace tvx
