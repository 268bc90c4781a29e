#include "install/progress_bar.h"

#include <algorithm>
#include <string>

namespace tvx {
namespace {

ColourRef Dimmed(ColourRef colour, int percent) {
  return RgbColour(static_cast<std::uint8_t>(RedOf(colour) * percent / 100),
                   static_cast<std::uint8_t>(GreenOf(colour) * percent / 100),
                   static_cast<std::uint8_t>(BlueOf(colour) * percent / 100));
}

void DrawFrame(DialogView& view, const Rect& bar) {
  view.FillArea({bar.left, bar.top, bar.right, bar.top + 1}, kBlack);
  view.FillArea({bar.left, bar.top, bar.left + 1, bar.bottom}, kBlack);
  view.FillArea({bar.left, bar.bottom - 1, bar.right, bar.bottom}, kWhite);
  view.FillArea({bar.right - 1, bar.top, bar.right, bar.bottom}, kWhite);
  view.FillArea({bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1}, kBarInside);
}

// Slice o ends where o percent would; it shows o percent of the colour.
void DrawShades(DialogView& view, const Rect& bar, int percent, ColourRef colour) {
  int start = bar.left + 1;
  for (int slice = 0; slice <= percent; ++slice) {
    const int end = BarEnd(bar, slice);
    if (end > start) view.FillArea({start, bar.top + 1, end, bar.bottom - 1}, Dimmed(colour, slice));
    start = std::max(start, end);
  }
}

}  // namespace

bool ShadesBars(int colour_bits) {
  return colour_bits == 15 || colour_bits == 16 || colour_bits == 24 || colour_bits == 32;
}

int BarEnd(const Rect& bar, int percent) { return bar.left + 1 + (bar.width() - 2) * percent / 100; }

void DrawProgressBar(DialogView& view, const Rect& bar, int percent, ColourRef colour, int font_id) {
  percent = std::clamp(percent, 0, 100);
  const DrawingBatch batch(view, bar);
  DrawFrame(view, bar);
  if (ShadesBars(view.ColourBits())) {
    DrawShades(view, bar, percent, colour);
  } else if (BarEnd(bar, percent) > bar.left + 1) {
    view.FillArea({bar.left + 1, bar.top + 1, BarEnd(bar, percent), bar.bottom - 1}, colour);
  }
  view.DrawLine(font_id, bar, std::to_string(percent) + "%", kWhite, true);
}

}  // namespace tvx
