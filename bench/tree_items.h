// The copy items of a whole folder tree, as a script would list them.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "script/copy_item.h"

namespace tvx::bench {

// Adds every file under root + relative ("\" or "\sub\"), each going to the
// same place under the destination; false when a folder cannot be listed.
bool AddTree(FileSystem& files, const std::string& root, const std::string& relative, CopyItemList& list);

}  // namespace tvx::bench
