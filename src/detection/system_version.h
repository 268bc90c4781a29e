// The platform record that start-up checks and the system probes read.
#pragma once

#include <string>

#include "platform/platform_types.h"

namespace tvx {

struct SystemVersion {
  bool win9x = false;         // Windows 95/98 family
  bool nt4_or_later = false;  // NT family, major version above 3
  std::string version_text;   // "4 . 10": major, ".", minor between blanks

  bool Supported() const { return win9x || nt4_or_later; }
};

SystemVersion ReadSystemVersion(const VersionRecord& record);

}  // namespace tvx
