// The bytes of a ".lnk" file in the shell link binary format, as the
// simulated machine writes its shortcuts: a header, the link information
// with the target's local path and volume, and the strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform_types.h"
#include "platform/shell.h"

namespace tvx::host {

// The volume that holds the target, as the link records it.
struct ShellLinkVolume {
  DriveType type = DriveType::Fixed;
  std::uint32_t serial = 0;
  std::string label;
};

// Texts are the machine's ANSI (Windows-1252); the strings are stored in
// UTF-16. A target with a drive ("C:\...") is recorded as the local path of
// the volume; any other non-empty target as a relative path.
std::string ShellLinkBytes(const ShellLink& link, const std::optional<ShellLinkVolume>& volume);

}  // namespace tvx::host
