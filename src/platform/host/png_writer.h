// Writes an 8-bit indexed framebuffer as a palette PNG a person can open.
#pragma once

#include <filesystem>
#include <string>

#include "platform/indexed_surface.h"

namespace tvx::host {

// False with a reason when the file cannot be written.
bool WritePng(const IndexedBitmap& bitmap, const std::filesystem::path& path, std::string& error);

}  // namespace tvx::host
