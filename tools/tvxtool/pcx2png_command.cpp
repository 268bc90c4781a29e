#include "pcx2png_command.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <span>
#include <vector>

#include "platform/host/png_writer.h"
#include "platform/indexed_surface.h"
#include "ui/panel_palette.h"
#include "ui/pcx_image.h"

namespace tvx::authoring {
namespace {

bool ReadPicture(const std::string& path, PcxImage& image, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!DecodePcx(std::span(bytes), image)) {
    error = path + " is not a PCX picture the program can read";
    return false;
  }
  return true;
}

}  // namespace

bool RenderPcxToPng(const std::string& pcx, const std::string& png, const std::string& palette_from,
                    std::string& error) {
  PcxImage image;
  PcxImage palette_source;
  if (!ReadPicture(pcx, image, error)) return false;
  if (!palette_from.empty() && !ReadPicture(palette_from, palette_source, error)) return false;
  if (image.width <= 0 || image.height <= 0) {
    error = pcx + " has no pixels to show";
    return false;
  }
  const auto& colours = palette_from.empty() ? image.palette : palette_source.palette;
  IndexedBitmap bitmap({image.width, image.height});
  bitmap.Draw(image.View(), PanelPaletteEntries(colours, DefaultSystemPalette()));
  return host::WritePng(bitmap, png, error);
}

CLI::App* AddPcx2PngCommand(CLI::App& app, Pcx2PngArguments& arguments) {
  CLI::App* command =
      app.add_subcommand("pcx2png", "write a PCX picture as the panel shows it (through its palette) as PNG");
  command->add_option("PCX", arguments.pcx, "the picture")->required();
  command->add_option("PNG", arguments.png, "the PNG to write")->required();
  command->add_option("--palette-from", arguments.palette_from,
                      "take the colours from this picture, as a button takes the background's");
  return command;
}

int RunPcx2Png(const Pcx2PngArguments& arguments) {
  std::string error;
  if (!RenderPcxToPng(arguments.pcx, arguments.png, arguments.palette_from, error)) {
    std::cerr << "tvxtool: " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tvx::authoring
