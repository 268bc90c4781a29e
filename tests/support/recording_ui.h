// A Ui that records the message boxes it is asked to show and answers OK,
// so that a test needs no one to press a button.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tvx::testing {

class RecordingUi : public Ui {
 public:
  struct Box {
    std::string text;
    std::string caption;
    std::uint32_t style = 0;
  };

  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  // The texts of the boxes, in the order they were shown.
  std::vector<std::string> Texts() const;

  std::vector<Box> boxes;
};

}  // namespace tvx::testing
