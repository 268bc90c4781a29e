// Any bytes as a PCX picture: decoded without reading or writing out of
// bounds, then drawn into a framebuffer through a palette.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/indexed_surface.h"
#include "ui/panel_palette.h"
#include "ui/pcx_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tvx::PcxImage image;
  if (!tvx::DecodePcx(std::span(data, size), image)) return 0;
  if (image.pixels.size() != static_cast<std::size_t>(std::max<int>(image.bytes_per_line, 0)) *
                                 static_cast<std::size_t>(std::max<int>(image.height, 0)) &&
      !image.pixels.empty())
    __builtin_trap();
  // What is drawn is bounded by what the file holds: two bytes of run-length
  // data give at most 63 pixels.
  if (static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) > (size + 1) / 2 * 63)
    __builtin_trap();
  tvx::IndexedSurface surface;
  const auto palette = tvx::BuildPanelPalette(surface, image.palette);
  const auto bitmap = surface.CreateBitmap({image.width, image.height});
  surface.DrawIndexed(*bitmap, *palette, image.View());
  return 0;
}
