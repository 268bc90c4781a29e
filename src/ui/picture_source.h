// Where a widget's pictures come from: the install-data folder, asked again
// for every picture, and the localized base name by string number.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "ui/text_lookup.h"

namespace tvx {

struct PictureSource {
  Platform& platform;
  std::function<std::string()> install_data_folder;
  TextLookup strings;

  // Folder + "\" + the text of string_number + suffix.
  std::string PathOf(int string_number, const char* suffix) const {
    return install_data_folder() + "\\" + strings(string_number) + suffix;
  }
};

}  // namespace tvx
