// One running copy per product: the mutex named after the disc's volume,
// and raising the game that already holds it.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace tvx {

// Takes the product's mutex (volume name + "EXE"). When another holder has
// it (already_existed, no handle) and bring_game_forward is set, the running
// game's window comes to the front. Neither a handle nor already_existed:
// the mutex could not be created.
MutexResult TakeProductMutex(Shell& shell, std::string_view volume_name, bool bring_game_forward);

}  // namespace tvx
