// The front panel's palette: the background picture's colours, except the
// twenty colours the system keeps for itself.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/surface.h"

namespace tvx {

// Entries 0-9 and 246-255 are the system's (colours and flags as it reports
// them); the others the picture's, marked PC_RESERVED.
PaletteEntries PanelPaletteEntries(std::span<const std::uint8_t, 768> pcx_palette,
                                   const PaletteEntries& system);

std::unique_ptr<LogicalPalette> BuildPanelPalette(Surface& surface,
                                                  std::span<const std::uint8_t, 768> pcx_palette);

}  // namespace tvx
