#pragma once
#include "platform/platform.h"
namespace tvx {
inline void CopySetupToCommonFolder(Platform&) {}
}  // namespace tvx
