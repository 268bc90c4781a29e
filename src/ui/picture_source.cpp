#include "ui/picture_source.h"

namespace tvx {

bool PictureSource::Load(int string_number, const PictureSuffixes& suffixes, const LogicalPalette& palette,
                         DrawMode mode, PictureSet& pictures) const {
  for (std::size_t i = 0; i < pictures.size(); ++i)
    if (!DrawPcxIntoBitmap(platform, PathOf(string_number, suffixes[i]), pictures[i], palette, mode))
      return false;
  return true;
}

}  // namespace tvx
