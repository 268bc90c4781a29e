// The installers of the Indeo video codecs: the libraries copied from the
// disc into the system directory and registered as video compressors in
// SYSTEM.INI and in the registry. Each answers nonzero on success.
#pragma once

#include <cstdint>

#include "components/media_installers.h"

namespace tvx {

// Where the codecs are registered, under HKEY_LOCAL_MACHINE; the codec's
// tag ("vidc.IV41") follows.
inline constexpr const char* kCodecKeyPrefix = "System\\CurrentControlSet\\control\\MediaResources\\icm\\";
// Room the installers ask of the Windows drive, in blocks, and as files.
inline constexpr std::uint64_t kIndeoBlocks = 1796;
inline constexpr std::uint64_t kIndeoFiles = 2;

// Indeo video interactive R4.1 with Indeo video R3.2.
std::int32_t InstallVfwIndeo(ComponentContext& context);
// Indeo video interactive R5.06 with R4.1 and R3.2.
std::int32_t InstallIndeo5(ComponentContext& context);

}  // namespace tvx
