// One file, font or folder to install, and a list of them with its total.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

struct CopyItem {
  // Written out so that a new item in a list is not zero-filled before its
  // members are built: the lists hold tens of thousands.
  CopyItem() {}

  std::string source_name;
  std::string destination_name;
  std::string source_subdirectory;    // "\dir\" or empty
  std::string destination_directory;  // "dir\" or empty; absolute for fonts
  std::int32_t size = 0;              // blocks of 512 bytes
  bool font = false;
  bool unlogged = false;  // left out of the installation log
  std::string language_tag;
  std::string font_name;

  bool operator==(const CopyItem&) const = default;
};

struct CopyItemList {
  std::vector<CopyItem> items;
  // Sum of the counted items' sizes in blocks; 64 bits so that thousands of
  // large files cannot overflow it.
  std::int64_t total = 0;

  void Add(CopyItem item) {
    total += item.size;
    items.push_back(std::move(item));
  }
  // Language items wait for the language choice before they count.
  void AddUncounted(CopyItem item) { items.push_back(std::move(item)); }

  bool operator==(const CopyItemList&) const = default;
};

}  // namespace tvx
