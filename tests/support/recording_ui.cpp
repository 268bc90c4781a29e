#include "support/recording_ui.h"

namespace tvx::testing {

int RecordingUi::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                                BoxOwner) {
  boxes.push_back({std::string(text), std::string(caption), style});
  return box::kIdOk;
}

std::vector<std::string> RecordingUi::Texts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

}  // namespace tvx::testing
