// Where start-up finds things: the script, the installation source and the
// online-service client's folder on it.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "script/install_script.h"

namespace tvx {

// The drive ("E:") or folder holding the installation source. A disc is
// searched only when the script names the fixed label; "" when none holds it.
std::string FindSourceRoot(FileSystem& files, const InstallScript& script);

// The root ("E:\") of the first CD-ROM drive whose label is the volume
// name, ASCII case ignored, "NoLabel" standing for no label; "\" when no
// drive holds the disc. Any label is looked for, not only the fixed one.
std::string FindProductDisc(FileSystem& files, std::string_view volume_name);

// The client's folder on the source, when the script offers the client and
// the product is not installed yet; otherwise "INVALID".
std::string ClientSourceFolder(const InstallScript& script, std::string_view source_root, bool installed);

}  // namespace tvx
