#include "tree_items.h"

#include "install/item_copy.h"

namespace tvx::bench {

bool AddTree(FileSystem& files, const std::string& root, const std::string& relative, CopyItemList& list) {
  const FindResult found = files.Find(root + relative + "*");
  if (found.error != FileError::None) return false;
  for (const FindEntry& entry : found.entries) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.IsDirectory()) {
      if (!AddTree(files, root, relative + entry.name + "\\", list)) return false;
      continue;
    }
    CopyItem item;
    item.source_name = entry.name;
    item.source_subdirectory = relative;
    item.destination_directory = relative.substr(1);
    item.size = static_cast<std::int32_t>(BlocksOf(entry.size));
    list.Add(std::move(item));
  }
  return true;
}

}  // namespace tvx::bench
