// A dialog that stays up while the program goes on; destroyed with its owner.
#pragma once

#include "platform/dialog_view.h"

namespace tvx {

class ModelessDialog {
 public:
  virtual ~ModelessDialog() = default;
  virtual DialogView& view() = 0;
};

}  // namespace tvx
