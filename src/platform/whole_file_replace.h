// Replacing a file's whole contents so that a crash or a full disk leaves
// either the old file or the new one, never a part of it.
#pragma once

#include <string_view>

#include "platform/file_system.h"

namespace tvx {

// Writes the contents to the temporary path (same folder), pushes them to
// the disk and renames the result over the path in one step. A read-only
// target is made writable first only when asked. On failure the temporary
// file is removed and the path is untouched.
bool ReplaceWholeFile(FileSystem& files, std::string_view path, std::string_view temporary_path,
                      std::string_view contents, bool replace_read_only);

}  // namespace tvx
