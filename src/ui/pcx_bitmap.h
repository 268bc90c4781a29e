// PCX pictures drawn once into off-screen bitmaps through a palette, and
// the front panel's background with the palette built from it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/surface.h"

namespace tvx {

// A picture's path: the install-data folder, a backslash, the file name.
std::string PicturePath(std::string_view folder, std::string_view file_name);

enum class DrawMode {
  Create,  // make a bitmap of the picture's width and height
  Reuse,   // draw into the bitmap made before; it keeps its size
};

// Decodes the file and draws its indices through the palette (the file's
// own palette is not used). Reuse with an empty slot makes the bitmap.
bool DrawPcxIntoBitmap(Platform& platform, std::string_view path, std::unique_ptr<OffscreenBitmap>& slot,
                       const LogicalPalette& palette, DrawMode mode);

// The panel's background picture and the panel palette made from it.
class PanelBackground {
 public:
  bool Load(Platform& platform, std::string_view path);
  // A new picture into the existing bitmap, with a new palette from it.
  bool Reload(Platform& platform, std::string_view path);

  const OffscreenBitmap* bitmap() const { return bitmap_.get(); }
  const LogicalPalette* palette() const { return palette_.get(); }

 private:
  std::unique_ptr<OffscreenBitmap> bitmap_;
  std::unique_ptr<LogicalPalette> palette_;
};

}  // namespace tvx
