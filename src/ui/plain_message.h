// The plain message box: the program's name as caption, one OK button.
#pragma once

#include <string_view>

#include "platform/ui.h"

namespace tvx {

inline constexpr const char* kProgramName = "SetupTvx";

inline int ShowPlainMessage(Ui& ui, std::string_view text) {
  return ui.ShowMessageBox(text, kProgramName, box::kOk);
}

}  // namespace tvx
