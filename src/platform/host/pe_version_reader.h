// Reads the file version of a Windows executable or library from its
// version resource, so that files on a simulated disc report what they are.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/machine_types.h"

namespace tvx::host {

// The fixed file information's version words of a PE image; nullopt when
// the bytes are not a PE image with a version resource. Every read is
// checked against the image's size.
std::optional<FileVersionNumber> ReadPeFileVersion(std::span<const std::uint8_t> image);

}  // namespace tvx::host
