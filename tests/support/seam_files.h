// Files written and read through the platform seam, on either backend: the
// ground of the contract tests and of the tests on the real API.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tvx::testing {

// Creates or replaces the file; its folder must exist.
void WriteFile(FileSystem& files, const std::string& path, std::string_view bytes);
// The whole file, or "<ErrorName>" when it cannot be read.
std::string ReadFile(FileSystem& files, const std::string& path);
// True when a file or folder is there.
bool Exists(FileSystem& files, const std::string& path);

}  // namespace tvx::testing
