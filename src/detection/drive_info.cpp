#include "detection/drive_info.h"

#include <limits>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace tvx {
namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
// Deeper paths cannot be opened on Windows; on the simulated machine a loop
// of links would otherwise never end.
constexpr std::size_t kLongestPath = 260;

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return b > kMost - a ? kMost : a + b; }

std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b) {
  return a != 0 && b > kMost / a ? kMost : a * b;
}

std::uint64_t FreeBlocksOf(FileSystem& files, const std::string& root, std::uint32_t& cluster_blocks) {
  const auto space = files.FreeSpace(root);
  if (!space) return 0;
  cluster_blocks = static_cast<std::uint32_t>(std::uint64_t{space->sectors_per_cluster} *
                                              space->bytes_per_sector / kBlockBytes);
  const std::uint64_t blocks = space->free_bytes / kBlockBytes;
  return blocks > kReservedBlocks ? blocks - kReservedBlocks : 0;
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

void SearchLargest(FileSystem& files, const std::string& folder, LargestFile& largest) {
  if (folder.size() > kLongestPath) return;
  for (const FindEntry& entry : files.Find(folder + "*.*").entries) {
    if (entry.attributes == attribute::kDirectory && !IsDotEntry(entry.name)) {
      SearchLargest(files, folder + entry.name + "\\", largest);
    } else if (entry.size > largest.size) {
      largest = {folder + entry.name, entry.size};
    }
  }
}

}  // namespace

std::vector<DriveInfo> ListFixedDrives(FileSystem& files) {
  std::vector<DriveInfo> drives;
  for (const std::string& root : files.LogicalDrives()) {
    if (files.DriveKind(root) != DriveType::Fixed) continue;
    DriveInfo drive{root};
    drive.free_blocks = FreeBlocksOf(files, root, drive.cluster_blocks);
    drives.push_back(drive);
  }
  return drives;
}

void RefreshFreeSpace(FileSystem& files, std::vector<DriveInfo>& drives) {
  for (DriveInfo& drive : drives) drive.free_blocks = FreeBlocksOf(files, drive.root, drive.cluster_blocks);
}

bool FitsOnSomeDrive(std::vector<DriveInfo>& drives, std::uint64_t blocks, std::uint64_t file_count,
                     std::uint64_t credit, std::string_view destination) {
  const std::string folded_destination = AsciiLower(destination);
  bool some_fits = false;
  for (DriveInfo& drive : drives) {
    std::uint64_t available = drive.free_blocks;
    if (credit != 0 && folded_destination.find(AsciiLower(drive.root)) != std::string::npos)
      available = SaturatingAdd(available, credit);
    const std::uint64_t needed = SaturatingAdd(blocks, SaturatingMultiply(file_count, drive.cluster_blocks));
    drive.fits = needed < available;
    some_fits = some_fits || drive.fits;
  }
  return some_fits;
}

std::string FindProductCdDrive(FileSystem& files, std::string_view volume_name, std::string_view name) {
  for (const std::string& root : files.LogicalDrives()) {
    if (files.DriveKind(root) != DriveType::CdRom) continue;
    const auto label = files.VolumeLabel(root);
    if (!label) continue;
    const std::string text = label->empty() ? "NoLabel" : *label;
    if (EqualsNoCase(text, volume_name) || EqualsNoCase(text, name)) return root;
  }
  return "\\";
}

LargestFile FindLargestFile(FileSystem& files, std::string_view folder) {
  LargestFile largest;
  SearchLargest(files, std::string(folder), largest);
  return largest;
}

bool IsCdRomDrive(FileSystem& files, std::string_view drive) {
  return files.DriveKind(std::string(drive) + "\\") == DriveType::CdRom;
}

std::string VolumeLabelOf(FileSystem& files, std::string_view drive) {
  const auto label = files.VolumeLabel(std::string(drive) + "\\");
  return label && !label->empty() ? *label : "NoLabel";
}

}  // namespace tvx
