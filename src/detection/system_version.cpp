#include "detection/system_version.h"

namespace tvx {

SystemVersion ReadSystemVersion(const VersionRecord& record) {
  SystemVersion version;
  version.win9x = record.platform_id == kPlatformWin32Windows;
  version.nt4_or_later = record.platform_id == kPlatformWin32Nt && record.major > 3;
  version.version_text = std::to_string(static_cast<long>(record.major)) + " . " +
                         std::to_string(static_cast<long>(record.minor));
  return version;
}

}  // namespace tvx
