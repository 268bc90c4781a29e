// A true-colour picture of a window's client area: what drawing straight
// onto a window leaves on the simulated machine, pixel by pixel.
#pragma once

#include <vector>

#include "platform/graphics_types.h"

namespace tvx::host {

class ColourPicture {
 public:
  ColourPicture(Size size, ColourRef background);
  Size size() const { return size_; }
  // Clipped to the picture.
  void Fill(const Rect& area, ColourRef colour);
  // CLR_INVALID outside the picture, as GetPixel answers.
  ColourRef At(int x, int y) const;

  static constexpr ColourRef kInvalid = 0xFFFFFFFF;

 private:
  Size size_;
  std::vector<ColourRef> pixels_;
};

}  // namespace tvx::host
