// A progress bar drawn onto a window: a sunken frame, a grey inside and
// the part done in the bar's colour, with its percent written over it.
#pragma once

#include "platform/dialog_view.h"

namespace tvx {

inline constexpr ColourRef kBarInside = RgbColour(0xC0, 0xC0, 0xC0);
inline constexpr ColourRef kBlack = RgbColour(0, 0, 0);
inline constexpr ColourRef kWhite = RgbColour(0xFF, 0xFF, 0xFF);

// Whether the display shows the bar in shades: 15, 16, 24 and 32 bits per
// pixel; fewer bits, or a depth not known, get one solid fill.
bool ShadesBars(int colour_bits);

// Where the part done of a bar ends for a percent (0 to 100).
int BarEnd(const Rect& bar, int percent);

// The percent is held to 0-100; the text is drawn in the font of control font_id.
void DrawProgressBar(DialogView& view, const Rect& bar, int percent, ColourRef colour, int font_id);

}  // namespace tvx
