// The interface toolkit's process-wide values, held by the session.
#pragma once

#include <memory>

#include "ui/button_guide.h"

namespace tvx {

struct UiProcessState {
  // Whether Return on a panel button acts; windows that close on Return
  // clear it so the same press does not fire the panel button as well.
  bool return_key_armed = true;
  // The panel's one button guide, once made.
  std::unique_ptr<ButtonGuide> guide;
  // A run with no one at the screen: the README is not offered after an
  // installation, nor a restart (the exit code tells one is needed).
  bool unattended = false;
};

}  // namespace tvx
