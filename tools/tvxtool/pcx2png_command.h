// tvxtool pcx2png: a PCX picture as the panel shows it, written as a PNG.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace tvx::authoring {

struct Pcx2PngArguments {
  std::string pcx;
  std::string png;
  std::string palette_from;  // empty: the picture's own palette
};

// Draws the picture's indices through the panel palette (the system's
// twenty colours, the rest from the palette file) into an 8-bit PNG.
bool RenderPcxToPng(const std::string& pcx, const std::string& png, const std::string& palette_from,
                    std::string& error);

CLI::App* AddPcx2PngCommand(CLI::App& app, Pcx2PngArguments& arguments);
int RunPcx2Png(const Pcx2PngArguments& arguments);

}  // namespace tvx::authoring
