// The install sequence's destination step: a drive with room for the
// default path, then the directory dialog.
#pragma once

#include <cstdint>
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
  std::string install_directory;  // the script's DEFAULT PATH, or the installed one
  std::string previous_install_directory;
  std::uint64_t required_blocks = 0;
  std::uint64_t item_count = 0;
};

// Whether the drive, read afresh, has the blocks plus one cluster per item
// free; its free blocks are brought up to date.
bool DriveHasRoom(FileSystem& files, DriveInfo& drive, std::uint64_t blocks, std::uint64_t item_count);

// The install directory put on a drive with room: the Windows drive when
// it names none, another drive's letter when its own has no room; nullopt
// when no drive has room.
std::optional<std::string> PlaceOnDrive(DestinationRequest& request);

// The destination the user accepts in the directory dialog, ending in
// "\"; nullopt when no drive has room or the dialog is cancelled.
std::optional<std::string> ChooseDestination(DestinationRequest& request);

}  // namespace tvx
