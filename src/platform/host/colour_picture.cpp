#include "platform/host/colour_picture.h"

#include <algorithm>

namespace tvx::host {

ColourPicture::ColourPicture(Size size, ColourRef background)
    : size_{std::max(size.width, 0), std::max(size.height, 0)},
      pixels_(static_cast<std::size_t>(size_.width) * size_.height, background) {}

void ColourPicture::Fill(const Rect& area, ColourRef colour) {
  const int left = std::max(area.left, 0);
  const int right = std::min(area.right, size_.width);
  const int top = std::max(area.top, 0);
  const int bottom = std::min(area.bottom, size_.height);
  for (int y = top; y < bottom; ++y)
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * size_.width + left,
                std::max(right - left, 0), colour);
}

ColourRef ColourPicture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return kInvalid;
  return pixels_[static_cast<std::size_t>(y) * size_.width + x];
}

}  // namespace tvx::host
