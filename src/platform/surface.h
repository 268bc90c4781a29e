// Drawing services: logical palettes and off-screen bitmaps that pictures
// are decoded into once and copied from when painting (the Surface).
#pragma once

#include <memory>

#include "platform/graphics_types.h"

namespace tvx {

// A logical palette object of the platform (HPALETTE); deleted with its owner.
class LogicalPalette {
 public:
  virtual ~LogicalPalette() = default;
  virtual const PaletteEntries& entries() const = 0;
};

// An off-screen bitmap with its own memory device context.
class OffscreenBitmap {
 public:
  virtual ~OffscreenBitmap() = default;
  virtual Size size() const = 0;
};

// A bitmap resource of the program and the palette of its colour table;
// either may be missing.
struct BitmapResource {
  std::unique_ptr<OffscreenBitmap> bitmap;
  std::unique_ptr<LogicalPalette> palette;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // The system palette's entries with their flags, as the display reports them.
  virtual PaletteEntries SystemPaletteEntries() = 0;
  virtual std::unique_ptr<LogicalPalette> CreatePalette(const PaletteEntries& entries) = 0;
  // A bitmap compatible with the display, size in pixels.
  virtual std::unique_ptr<OffscreenBitmap> CreateBitmap(Size size) = 0;
  // Copies palette indices into the bitmap from (0, 0) through the palette:
  // index n shows the colour of entry n. What falls outside is lost.
  virtual void DrawIndexed(OffscreenBitmap& target, const LogicalPalette& palette,
                           const IndexedPixels& pixels) = 0;
  virtual BitmapResource LoadBitmapResource(int id) = 0;
};

}  // namespace tvx
