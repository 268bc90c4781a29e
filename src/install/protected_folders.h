// Folders that no product owns: an install directory may not be one, and
// nothing is ever deleted in them as a whole, whatever a script or
// "tvx.ini" says.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tvx {

class ProtectedFolders {
 public:
  // Reads the Windows and system directories, the special folders and the
  // program files folder once.
  explicit ProtectedFolders(Platform& platform);

  // A drive root, one of the folders above, or a folder that holds one of
  // them (such as the profile that holds the desktop). Letter case and a
  // final "\" do not matter; a path that is not a full path counts as
  // protected.
  bool Protects(std::string_view directory) const;
  // Whether path lies in or is the Windows directory.
  bool InsideWindows(std::string_view path) const;

 private:
  std::vector<std::string> folders_;  // lower case, without a final "\"
  std::string windows_;
};

// "C:\Games\Zephra\" -> "c:\games\zephra": the form folders are compared in.
std::string FolderKey(std::string_view path);
// Whether path is folder itself or lies inside it (both as FolderKey gives).
bool IsWithinFolder(std::string_view path_key, std::string_view folder_key);

}  // namespace tvx
