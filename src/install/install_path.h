// The rule every destination typed by the user must pass.
#pragma once

#include <string_view>

namespace tvx {

// A full path on a drive, such as "C:\Games\Zephra\": 2 to 180
// characters, a letter, ":" and "\", no "." right after the root or any
// inner "\", no doubled "\", and none of / : * ? " < > | after the root.
bool IsValidInstallPath(std::string_view path);

}  // namespace tvx
