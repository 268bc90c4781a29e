// tvxtool extract: the files a configuration installs, laid out under a
// host folder as they would be under the installation directory.
#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>

namespace tvx::authoring {

// Where what does not go below the installation directory is put, and
// where the script and the strings are written: no game's own folder can
// take these names, as a script's item that names one is refused.
inline constexpr const char* kSystemFolder = "_system";  // *SharedDll* and *WindowsSystem*
inline constexpr const char* kFontsFolder = "_fonts";    // the fonts
inline constexpr const char* kSetupFolder = "_setup";    // the decoded script and the strings files

struct ExtractArguments {
  std::string disc;  // a folder holding InstData
  std::string output;
  std::size_t configuration = 0;
  std::string language;  // empty: the script's first
};

CLI::App* AddExtractCommand(CLI::App& app, ExtractArguments& arguments);

// Checks every path the configuration names first: one that could leave
// the output folder refuses the whole extraction, and nothing is written.
int RunExtract(const ExtractArguments& arguments, const std::string& label);

}  // namespace tvx::authoring
