// The user interface services that every subsystem may reach.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform_types.h"

namespace tvx {

class Ui {
 public:
  virtual ~Ui() = default;

  // Shows a message box with the platform's style bits; answers box::kId*.
  virtual int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                             BoxOwner owner = BoxOwner::MainWindow) = 0;
};

}  // namespace tvx
