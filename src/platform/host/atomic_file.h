// Whole-file replacement on the host that a crash cannot leave half done.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tvx::host {

// Writes to a temporary file beside the target, flushes it, renames it over
// the target and flushes the folder. A link at the target is replaced, not
// written through.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view contents);
// False for anything but a regular file that could be read whole.
bool ReadHostFile(const std::filesystem::path& path, std::string& contents);
// The same for anything but a folder: a pipe is read to its end.
bool ReadHostStream(const std::filesystem::path& path, std::string& contents);

}  // namespace tvx::host
