// Where a product keeps its install data (the script, the product's
// strings and the panel's pictures): one folder, beside the program on the
// disc and in the product's directory once installed.
#pragma once

#include <string>
#include <string_view>

namespace tvx {

inline constexpr const char* kInstallDataFolderName = "InstData";
inline constexpr const char* kScriptFileName = "tvx.ins";

// The install script of an install-data folder given without a final "\".
inline std::string ScriptPathIn(std::string_view install_data_folder) {
  return std::string(install_data_folder) + "\\" + kScriptFileName;
}

}  // namespace tvx
