// What an uninstall may delete. The install directory, the script's file
// lists and its erasable patterns are outside input: nothing is deleted
// by tree or by pattern but inside a directory that holds the product.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "install/protected_folders.h"
#include "platform/platform.h"
#include "script/copy_item.h"

namespace tvx {

// The common items then the configuration's, deepest destination first,
// list order kept at equal depth.
std::vector<const CopyItem*> RemovalOrder(const CopyItemList& common, const CopyItemList& configuration);
// A path relative to the install directory: no drive, no root, no climb.
bool StaysBelow(std::string_view relative);
// The "\" separators of a destination field, a final one not counted.
int DestinationDepth(std::string_view directory);

class RemovalPlan {
 public:
  // installed_here: this process copied the product into the directory.
  RemovalPlan(Platform& platform, std::string install_directory, bool installed_here);

  // A full path that no product may be said to own is never touched.
  bool usable() const { return usable_; }
  // Holds the product: its install data is there, or it was installed
  // here in this run. Only then do trees and patterns go.
  bool owned() const { return owned_; }
  const std::string& install_directory() const { return install_directory_; }

  // The folder a directory entry names, strictly inside the install
  // directory; empty when it leads elsewhere.
  std::string DirectoryEntryPath(std::string_view field) const;
  // The folder and the name part of an erasable pattern ("Saves\*.sav"),
  // the folder inside the install directory; false when it leads elsewhere.
  bool PatternPlace(std::string_view pattern, std::string& folder, std::string& name) const;
  bool Inside(std::string_view path) const;
  bool Protects(std::string_view path) const { return folders_.Protects(path); }

 private:
  ProtectedFolders folders_;
  std::string install_directory_;
  bool usable_ = false;
  bool owned_ = false;
};

}  // namespace tvx
