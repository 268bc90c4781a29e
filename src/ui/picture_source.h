// Where a widget's pictures come from: the install-data folder, asked again
// for every picture, and the localized base name by string number.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "ui/pcx_bitmap.h"
#include "ui/text_lookup.h"

namespace tvx {

// A widget's four pictures, one for each suffix of its base name.
using PictureSuffixes = std::array<const char*, 4>;
using PictureSet = std::array<std::unique_ptr<OffscreenBitmap>, 4>;

struct PictureSource {
  Platform& platform;
  std::function<std::string()> install_data_folder;
  TextLookup strings;

  // Folder + "\" + the text of string_number + suffix.
  std::string PathOf(int string_number, const char* suffix) const {
    return install_data_folder() + "\\" + strings(string_number) + suffix;
  }

  // Draws every picture of the set through the palette; stops at the first
  // that does not load.
  bool Load(int string_number, const PictureSuffixes& suffixes, const LogicalPalette& palette, DrawMode mode,
            PictureSet& pictures) const;
};

}  // namespace tvx
