// PCX pictures as the front panel uses them: 8 bits per pixel, one plane,
// run-length coded, the 256-colour palette in the file's last 768 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/graphics_types.h"

namespace tvx {

class FileSystem;
class Ui;

inline constexpr std::size_t kPcxHeaderSize = 128;
inline constexpr std::size_t kPcxPaletteSize = 768;

struct PcxImage {
  std::int16_t width = 0;           // Xmax + 1, at most bytes_per_line; 0 without pixels
  std::int16_t height = 0;          // Ymax + 1; 0 without pixels
  std::int16_t bytes_per_line = 0;  // taken as the file gives it
  // bytes_per_line x height palette indices, bottom row of the picture first.
  std::vector<std::uint8_t> pixels;
  std::array<std::uint8_t, kPcxPaletteSize> palette{};  // red, green, blue per entry

  IndexedPixels View() const { return {width, height, bytes_per_line, pixels}; }
};

// Decodes a whole file's bytes. Fails when the file is too short to hold a
// header and a palette, or when the run-length data ends before the last
// row; image is untouched then. Runs that reach past a row's end are cut there.
bool DecodePcx(std::span<const std::uint8_t> file, PcxImage& image);

// Reads and decodes a picture file; a file that cannot be opened or decoded
// is reported ("Can't open <path> !!") and image is untouched.
bool LoadPcx(FileSystem& files, Ui& ui, std::string_view path, PcxImage& image);

}  // namespace tvx
