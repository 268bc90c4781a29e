#include "ui/window_placement.h"

namespace tvx {

Rect CenteredOnScreen(const Rect& window, Size screen) {
  const int left = screen.width / 2 - window.width() / 2;
  const int top = screen.height / 2 - window.height() / 2;
  return RectAt(left, top, window.width(), window.height());
}

void CenterOnScreen(DialogView& view) {
  view.MoveWindow(CenteredOnScreen(view.WindowRect(), view.ScreenSize()));
}

std::string FormatBlocks(std::uint64_t blocks, const SizeUnits& units) {
  // In 64 bits: 8 million blocks already pass what 32 bits can count in bytes.
  const std::uint64_t bytes = blocks * 512;
  if (bytes < 1024) return std::to_string(bytes) + " " + units.bytes;
  if (bytes < 1048576) return std::to_string(bytes / 1024) + " " + units.kilobytes;
  return std::to_string(bytes / 1048576) + " " + units.megabytes;
}

}  // namespace tvx
