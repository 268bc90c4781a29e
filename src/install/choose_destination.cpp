#include "install/choose_destination.h"

#include <algorithm>
#include <limits>

#include "install/destination_dialog.h"
#include "platform/path_text.h"

namespace tvx {
namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();

std::uint64_t BlocksNeeded(std::uint64_t blocks, std::uint64_t count, std::uint32_t cluster_blocks) {
  const std::uint64_t clusters =
      count != 0 && cluster_blocks > kMost / count ? kMost : count * cluster_blocks;
  return clusters > kMost - blocks ? kMost : blocks + clusters;
}

DriveInfo* FindDrive(std::vector<DriveInfo>& drives, std::string_view root) {
  const auto found = std::find_if(drives.begin(), drives.end(),
                                  [&](const DriveInfo& drive) { return EqualsNoCase(drive.root, root); });
  return found == drives.end() ? nullptr : &*found;
}

}  // namespace

bool DriveHasRoom(FileSystem& files, DriveInfo& drive, std::uint64_t blocks, std::uint64_t item_count) {
  std::vector<DriveInfo> fresh{drive};
  RefreshFreeSpace(files, fresh);
  drive.free_blocks = fresh.front().free_blocks;
  drive.cluster_blocks = fresh.front().cluster_blocks;
  return drive.free_blocks >= BlocksNeeded(blocks, item_count, drive.cluster_blocks);
}

std::optional<std::string> PlaceOnDrive(DestinationRequest& request) {
  FileSystem& files = request.platform.files;
  std::string path = request.install_directory;
  const bool names_drive = path.find(':') != std::string::npos;
  const std::string candidate_root = names_drive ? path.substr(0, 3) : files.WindowsDirectory().substr(0, 3);
  DriveInfo* candidate = FindDrive(request.drives, candidate_root);
  if (!names_drive && !candidate) return std::nullopt;
  const auto has_room = [&](DriveInfo& drive) {
    return DriveHasRoom(files, drive, request.required_blocks, request.item_count);
  };
  DriveInfo* chosen = candidate && has_room(*candidate) ? candidate : nullptr;
  if (!chosen) {
    for (DriveInfo& drive : request.drives) {
      if (!drive.fits && !has_room(drive)) continue;
      chosen = &drive;
      break;
    }
  }
  if (!chosen || chosen->root.size() < 2) return std::nullopt;
  if (!names_drive) return chosen->root.substr(0, 2) + path;
  if (chosen != candidate) path[0] = chosen->root[0];
  return path;
}

std::optional<std::string> ChooseDestination(DestinationRequest& request) {
  std::optional<std::string> placed = PlaceOnDrive(request);
  if (!placed) return std::nullopt;
  DestinationDialog dialog(request.platform, request.ui_state, request.text, request.drives, *placed,
                           request.previous_install_directory);
  if (request.platform.ui.RunDialog(dialog) != DialogModel::kOkCommand) return std::nullopt;
  std::string accepted = dialog.path();
  if (!EndsWithBackslash(accepted)) {
    while (!accepted.empty() && accepted.back() == ' ') accepted.pop_back();
    accepted += '\\';
  }
  return accepted;
}

}  // namespace tvx
