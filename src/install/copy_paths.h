// Where a copy item is read from and written to.
#pragma once

#include <string>
#include <string_view>

#include "script/copy_item.h"

namespace tvx {

// The folders an installation copies between.
struct CopyPlaces {
  std::string source_directory;   // the installation source
  std::string install_directory;  // ends in "\"
  std::string system_directory;   // as the platform reports it
};

struct CopyPaths {
  std::string source;
  std::string destination;
  bool shared = false;  // a library of the system directory, protected by its version
  // The script's folder or name climbs out of where it is put with "..":
  // nothing may be written there.
  bool climbs_out = false;
};

// The destination directory macros, compared whole without regard to case.
inline constexpr const char* kSharedDllMacro = "*SharedDll*\\";
inline constexpr const char* kWindowsSystemMacro = "*WindowsSystem*\\";

CopyPaths ResolveCopyPaths(const CopyItem& item, const CopyPlaces& places);

// Whether a relative path has a ".." step.
bool ClimbsOut(std::string_view path);

}  // namespace tvx
