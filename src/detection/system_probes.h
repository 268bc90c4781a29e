// The probes of the system tests: which Windows this is, and whether the
// user may change the machine. Each answers -1 when the machine is not
// that system.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace tvx {

class System;

std::int32_t ProbeW95(const VersionRecord& version);
std::int32_t ProbeW98(const VersionRecord& version);
std::int32_t ProbeWnt40(const VersionRecord& version);
std::int32_t ProbeW2000(const VersionRecord& version);
std::int32_t ProbeWindowsSystem(const VersionRecord& version);
std::int32_t ProbeWindowsNtSystem(const VersionRecord& version);
// 1 on every Windows 95/98 machine; on NT, membership of Administrators.
std::int32_t ProbeAdministratorRight(System& system);

}  // namespace tvx
