// Centring windows on the screen, and sizes in words.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialog_view.h"

namespace tvx {

// The window's rectangle moved so that its top-left corner is at half the
// screen minus half the window, each half rounded toward zero.
Rect CenteredOnScreen(const Rect& window, Size screen);
void CenterOnScreen(DialogView& view);

struct SizeUnits {
  std::string bytes;
  std::string kilobytes;
  std::string megabytes;
};

// A size in 512-byte blocks as "%ld %s": bytes below 1 KiB, kilobytes below
// 1 MiB, megabytes above, numbers truncated.
std::string FormatBlocks(std::uint64_t blocks, const SizeUnits& units);

}  // namespace tvx
