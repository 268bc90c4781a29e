#include "platform/graphics_types.h"

namespace tvx {

PaletteEntries DefaultSystemPalette() {
  // The static colours of a 256-colour display, as the system palette holds them.
  static constexpr std::uint8_t kLow[10][3] = {
      {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
  static constexpr std::uint8_t kHigh[10][3] = {
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
  PaletteEntries entries{};
  for (int i = 0; i < 10; ++i) {
    entries[i] = {kLow[i][0], kLow[i][1], kLow[i][2], 0};
    entries[246 + i] = {kHigh[i][0], kHigh[i][1], kHigh[i][2], 0};
  }
  return entries;
}

}  // namespace tvx
