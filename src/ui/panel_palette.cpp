#include "ui/panel_palette.h"

namespace tvx {

PaletteEntries PanelPaletteEntries(std::span<const std::uint8_t, 768> pcx_palette,
                                   const PaletteEntries& system) {
  PaletteEntries entries{};
  for (int i = 0; i < kPaletteSize; ++i) {
    if (i < 10 || i >= 246) {
      entries[i] = system[i];
    } else {
      entries[i] = {pcx_palette[i * 3], pcx_palette[i * 3 + 1], pcx_palette[i * 3 + 2], kPcReserved};
    }
  }
  return entries;
}

std::unique_ptr<LogicalPalette> BuildPanelPalette(Surface& surface,
                                                  std::span<const std::uint8_t, 768> pcx_palette) {
  return surface.CreatePalette(PanelPaletteEntries(pcx_palette, surface.SystemPaletteEntries()));
}

}  // namespace tvx
