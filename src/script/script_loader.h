// Finding, opening and loading the install script, plain or encoded.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "script/install_script.h"
#include "script/script_environment.h"
#include "script/script_line_reader.h"

namespace tvx {

struct OpenedScript {
  std::unique_ptr<ScriptLineReader> reader;  // null when nothing could be opened
  bool encoded = false;
};

// The path itself when it exists; otherwise its base name (the last "."
// removed) with ".dat", then ".des", read as an encoded container.
OpenedScript OpenScript(FileSystem& files, std::string_view path);
std::string EncodedBaseName(std::string_view path);

// Loads the script at the path (the install-data folder's "tvx.ins" when
// empty) and shows the failure messages; answers success.
bool LoadScript(ScriptEnvironment& environment, std::string_view path, InstallScript& script);

}  // namespace tvx
