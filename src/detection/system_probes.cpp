#include "detection/system_probes.h"

#include <initializer_list>
#include <string_view>

#include "platform/system.h"

namespace tvx {
namespace {

bool Is(const VersionRecord& version, std::uint32_t platform, std::uint32_t major, std::uint32_t minor) {
  return version.platform_id == platform && version.major == major && version.minor == minor;
}

// The position of the service text in the list, or 0 when it is not there;
// texts compare exactly, blanks and case included.
std::int32_t ServiceLevel(std::string_view service, std::initializer_list<std::string_view> levels) {
  std::int32_t level = 1;
  for (const std::string_view text : levels) {
    if (service == text) return level;
    ++level;
  }
  return 0;
}

}  // namespace

std::int32_t ProbeW95(const VersionRecord& version) {
  if (!Is(version, kPlatformWin32Windows, 4, 0)) return -1;
  return ServiceLevel(version.service, {"A", "B"});
}

std::int32_t ProbeW98(const VersionRecord& version) {
  return Is(version, kPlatformWin32Windows, 4, 10) ? 0 : -1;
}

std::int32_t ProbeWnt40(const VersionRecord& version) {
  if (!Is(version, kPlatformWin32Nt, 4, 0)) return -1;
  return ServiceLevel(version.service,
                      {"Service Pack 1", "Service Pack 2", "Service Pack 3", "Service Pack 4"});
}

std::int32_t ProbeW2000(const VersionRecord& version) { return Is(version, kPlatformWin32Nt, 5, 0) ? 0 : -1; }

std::int32_t ProbeWindowsSystem(const VersionRecord& version) {
  return version.platform_id == kPlatformWin32Windows ? 1 : -1;
}

std::int32_t ProbeWindowsNtSystem(const VersionRecord& version) {
  return version.platform_id == kPlatformWin32Nt ? 1 : -1;
}

std::int32_t ProbeAdministratorRight(System& system) {
  if (system.Version().platform_id != kPlatformWin32Nt) return 1;
  return system.InAdministratorsGroup() ? 1 : 0;
}

}  // namespace tvx
