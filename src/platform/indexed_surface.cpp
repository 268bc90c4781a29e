#include "platform/indexed_surface.h"

#include <algorithm>
#include <cstring>

#include "platform/dib_image.h"

namespace tvx {

IndexedBitmap::IndexedBitmap(Size size)
    : size_{std::max(size.width, 0), std::max(size.height, 0)},
      pixels_(static_cast<std::size_t>(size_.width) * size_.height, 0) {}

void IndexedBitmap::Draw(const IndexedPixels& source, const PaletteEntries& palette) {
  palette_ = palette;
  // Rows go bottom-up from the source's row 0 to the bitmap's last row, as
  // a bottom-up device-independent bitmap lands at (0, 0).
  const int columns = std::min(std::max(source.bytes_per_line, 0), size_.width);
  const int rows = std::min(source.height, size_.height);
  for (int row = 0; row < source.height; ++row) {
    const int y = source.height - 1 - row;
    if (y >= rows || columns == 0) continue;
    const std::size_t from = static_cast<std::size_t>(row) * source.bytes_per_line;
    if (from + columns > source.pixels.size()) continue;
    std::memcpy(&pixels_[static_cast<std::size_t>(y) * size_.width], &source.pixels[from], columns);
  }
}

void IndexedBitmap::CopyFrom(const IndexedBitmap& source, int x, int y) {
  for (int row = 0; row < source.size_.height; ++row) {
    const int target_y = y + row;
    if (target_y < 0 || target_y >= size_.height) continue;
    for (int column = 0; column < source.size_.width; ++column) {
      const int target_x = x + column;
      if (target_x < 0 || target_x >= size_.width) continue;
      pixels_[static_cast<std::size_t>(target_y) * size_.width + target_x] = source.At(column, row);
    }
  }
  palette_ = source.palette_;
}

std::unique_ptr<LogicalPalette> IndexedSurface::CreatePalette(const PaletteEntries& entries) {
  return std::make_unique<IndexedPalette>(entries);
}

std::unique_ptr<OffscreenBitmap> IndexedSurface::CreateBitmap(Size size) {
  return std::make_unique<IndexedBitmap>(size);
}

void IndexedSurface::DrawIndexed(OffscreenBitmap& target, const LogicalPalette& palette,
                                 const IndexedPixels& pixels) {
  static_cast<IndexedBitmap&>(target).Draw(pixels, palette.entries());
}

BitmapResource IndexedSurface::LoadBitmapResource(int id) {
  BitmapResource result;
  const auto bytes = resources_ ? resources_(id) : std::nullopt;
  const auto dib = bytes ? ParseDib(*bytes) : std::nullopt;
  if (!dib) return result;
  PaletteEntries entries{};
  std::copy_n(dib->colours.begin(), std::min<std::size_t>(dib->colours.size(), kPaletteSize),
              entries.begin());
  auto bitmap = std::make_unique<IndexedBitmap>(Size{dib->width, dib->height});
  // Indices are stored top row first; hand them over as one bottom-up block.
  std::vector<std::uint8_t> bottom_up(dib->indices.size());
  for (int y = 0; y < dib->height; ++y)
    std::memcpy(&bottom_up[static_cast<std::size_t>(dib->height - 1 - y) * dib->width],
                &dib->indices[static_cast<std::size_t>(y) * dib->width], dib->width);
  if (!dib->indices.empty()) bitmap->Draw({dib->width, dib->height, dib->width, bottom_up}, entries);
  result.bitmap = std::move(bitmap);
  if (!dib->colours.empty()) result.palette = std::make_unique<IndexedPalette>(entries);
  return result;
}

}  // namespace tvx
