// Device-independent bitmaps as the program's bitmap resources hold them:
// a 40-byte header, the colour table, the pixel rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/graphics_types.h"

namespace tvx {

struct DibImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  // 2 to the power of bits per pixel entries (stored blue, green, red,
  // reserved), flags 0; empty above 8 bits per pixel.
  std::vector<PaletteEntry> colours;
  // Colour-table indices, top row first; empty above 8 bits per pixel.
  std::vector<std::uint8_t> indices;
};

// Reads an uncompressed bitmap of 1, 4 or 8 bits per pixel (or only the
// header of a deeper one); nullopt when the bytes cannot hold it.
std::optional<DibImage> ParseDib(std::string_view bytes);

}  // namespace tvx
