#pragma once
#include <optional>
#include <string>
#include <vector>
#include "detection/drive_info.h"
#include "platform/platform.h"
#include "ui/text_lookup.h"
#include "ui/ui_process_state.h"
namespace tvx {
struct DestinationRequest {
  Platform& platform;
  UiProcessState& ui_state;
  TextLookup text;
  std::vector<DriveInfo>& drives;
  std::string install_directory;
  std::string previous_install_directory;
  std::uint64_t required_blocks;
  std::uint64_t item_count;
};
inline std::optional<std::string> ChooseDestination(DestinationRequest& r) {
  return "C:" + r.install_directory;
}
}  // namespace tvx
