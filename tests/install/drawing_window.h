// A window on the progress box's template to draw on: a recording view on
// the simulated machine, a real window under Wine. The same drawing tests
// run on both and expect the same pixels.
#pragma once

#include <memory>

#include "platform/dialog_view.h"

namespace tvx::testing {

class DrawingWindow {
 public:
  virtual ~DrawingWindow() = default;
  virtual DialogView& view() = 0;
};

// colour_bits: the simulated display's depth; a real display has its own.
std::unique_ptr<DrawingWindow> OpenDrawingWindow(int colour_bits);

}  // namespace tvx::testing
