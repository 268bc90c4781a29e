// Where the product's files come from when the script says "CD ROM".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tvx {

// The drive ("E:") of the first CD-ROM drive labelled with the volume
// name, letter case ignored; only the one volume name this program is made
// for is searched, any other finds nothing.
std::optional<std::string> LocateSourceDisc(FileSystem& files, std::string_view volume_name);

}  // namespace tvx
