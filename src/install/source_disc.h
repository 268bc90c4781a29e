#pragma once
#include <optional>
#include "platform/file_system.h"
namespace tvx {
inline std::optional<std::string> LocateSourceDisc(FileSystem&, std::string_view) {
  return std::string("D:");
}
}  // namespace tvx
