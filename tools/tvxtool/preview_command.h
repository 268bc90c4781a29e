// tvxtool preview: the front panel a disc shows, written as a PNG.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace tvx::authoring {

struct PreviewArguments {
  std::string disc;  // a disc folder (holding InstData) or a script folder
  std::string png;
  std::string profile;  // empty: the scratch Windows 98 machine
  int language = -1;    // the language dialog's item; -1: its own choice
};

CLI::App* AddPreviewCommand(CLI::App& app, PreviewArguments& arguments);

// Starts the program from the disc on a scratch machine, snapshots the
// panel as it first shows and presses Quit. The label is the CD-ROM's.
int RunPreview(const PreviewArguments& arguments, const std::string& label);

}  // namespace tvx::authoring
