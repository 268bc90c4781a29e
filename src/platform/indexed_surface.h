// A display-free Surface: 8-bit indexed framebuffers drawn through the same
// palette rules as the display, so composed pictures can be compared and
// written out as images.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace tvx {

class IndexedPalette : public LogicalPalette {
 public:
  explicit IndexedPalette(const PaletteEntries& entries) : entries_(entries) {}
  const PaletteEntries& entries() const override { return entries_; }

 private:
  PaletteEntries entries_;
};

// Pixels are palette indices, top row first; the colours are those of the
// palette the bitmap was last drawn through.
class IndexedBitmap : public OffscreenBitmap {
 public:
  explicit IndexedBitmap(Size size);
  Size size() const override { return size_; }

  std::uint8_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * size_.width + x]; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }
  const PaletteEntries& palette() const { return palette_; }
  // Colour of one pixel through the bitmap's palette.
  PaletteEntry ColourAt(int x, int y) const { return palette_[At(x, y)]; }

  void Draw(const IndexedPixels& source, const PaletteEntries& palette);
  // A block copy of another bitmap to (x, y), clipped to this one.
  void CopyFrom(const IndexedBitmap& source, int x, int y);

 private:
  Size size_;
  std::vector<std::uint8_t> pixels_;
  PaletteEntries palette_{};
};

class IndexedSurface : public Surface {
 public:
  // The bytes of a bitmap resource (header, colour table, pixels), if any.
  using ResourceLookup = std::function<std::optional<std::string_view>(int id)>;

  explicit IndexedSurface(PaletteEntries system = DefaultSystemPalette(), ResourceLookup resources = {})
      : system_(system), resources_(std::move(resources)) {}

  PaletteEntries SystemPaletteEntries() override { return system_; }
  std::unique_ptr<LogicalPalette> CreatePalette(const PaletteEntries& entries) override;
  std::unique_ptr<OffscreenBitmap> CreateBitmap(Size size) override;
  void DrawIndexed(OffscreenBitmap& target, const LogicalPalette& palette,
                   const IndexedPixels& pixels) override;
  BitmapResource LoadBitmapResource(int id) override;

 private:
  PaletteEntries system_;
  ResourceLookup resources_;
};

}  // namespace tvx
