// Fonts installed into the system's font folder are made known to the
// system and to the running programs.
#pragma once

#include <string_view>

#include "platform/registry.h"
#include "platform/shell.h"

namespace tvx {

inline constexpr const char* kFontsKey = "software\\Microsoft\\Windows\\CurrentVersion\\Fonts";

// Adds the font file, tells every top-level window, and names the file
// under the display name in the Fonts key when there is a name. Failures
// are silent.
void RegisterFont(Shell& shell, Registry& registry, std::string_view destination_path,
                  std::string_view display_name);

}  // namespace tvx
