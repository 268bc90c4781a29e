// Small value types of drawing and window geometry that cross the seam.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tvx {

// One entry of a logical palette (PALETTEENTRY), flags as the platform has them.
struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};

inline constexpr std::uint8_t kPcReserved = 0x01;
inline constexpr int kPaletteSize = 256;
using PaletteEntries = std::array<PaletteEntry, kPaletteSize>;

// The twenty colours a palette display reserves for itself: entries 0-9 and
// 246-255 of the default system palette.
PaletteEntries DefaultSystemPalette();

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// A rectangle with exclusive right and bottom edges, as RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Rect&) const = default;
};

inline Rect RectAt(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// Palette indices, bottom row first, rows bytes_per_line apart (a decoded
// PCX picture seen by the platform).
struct IndexedPixels {
  int width = 0;
  int height = 0;
  int bytes_per_line = 0;
  std::span<const std::uint8_t> pixels;
};

// --- Colours drawn straight onto a window ---

// A colour as the platform's COLORREF holds it: 0x00BBGGRR.
using ColourRef = std::uint32_t;

constexpr ColourRef RgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (static_cast<ColourRef>(green) << 8) | (static_cast<ColourRef>(blue) << 16);
}
constexpr std::uint8_t RedOf(ColourRef colour) { return colour & 0xFF; }
constexpr std::uint8_t GreenOf(ColourRef colour) { return (colour >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(ColourRef colour) { return (colour >> 16) & 0xFF; }

}  // namespace tvx
