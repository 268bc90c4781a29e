// Reads the file version of a Windows executable or library from its
// version resource, so that files on a simulated disc report what they are.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/machine_types.h"

namespace tvx::host {

// The fixed file information's version words of a PE image; nullopt when
// the bytes are not a PE image with a version resource. Every read is
// checked against the image's size.
std::optional<FileVersionNumber> ReadPeFileVersion(std::span<const std::uint8_t> image);
// A string of the image's string table (first language), Latin-1 units as
// bytes; nullopt when the image has no such string or it is empty.
std::optional<std::string> ReadPeString(std::span<const std::uint8_t> image, std::uint32_t id);

}  // namespace tvx::host
