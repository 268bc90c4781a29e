// The copy of this setup program and its libraries that the common folder
// keeps for the uninstall entries and the Play entries of every product.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tvx {

inline constexpr const char* kSetupProgramName = "SetupTvx.exe";
// What the version text follows in a program without a string table. Put
// together when asked: a copy of it in this program's own constant data
// would be found before the real one.
std::string VersionMarker();

// The version text of a setup program: its string resource 1, else the
// zero-ended text after the marker; empty when the file cannot be read.
std::string SetupVersionText(Platform& platform, std::string_view path);

// Makes the common folder, puts this program there unless the copy there
// is newer, then this program's "*.dll". Failures leave the installation
// going.
void CopySetupToCommonFolder(Platform& platform);

}  // namespace tvx
