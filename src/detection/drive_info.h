// The fixed drives with their free space, the space check against them,
// and the drive operations the probes and the installer share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

class FileSystem;

inline constexpr std::uint64_t kBlockBytes = 512;
// Kept free on every drive: 5 MB.
inline constexpr std::uint64_t kReservedBlocks = 10240;

struct DriveInfo {
  std::string root;  // "C:\"
  // Free space in blocks less the reserve, never below 0; 64 bits, so a
  // drive with 2 TiB or more free does not wrap.
  std::uint64_t free_blocks = 0;
  std::uint32_t cluster_blocks = 0;  // sectors per cluster x bytes per sector / 512
  bool fits = false;                 // set by the last FitsOnSomeDrive
};

// Every fixed drive, in the order the system lists drives.
std::vector<DriveInfo> ListFixedDrives(FileSystem& files);
// Recomputes the free blocks of every entry in place.
void RefreshFreeSpace(FileSystem& files, std::vector<DriveInfo>& drives);
// Whether blocks plus one cluster per file fit, strictly, in the free blocks
// of some drive; the credit counts on the drives that the destination
// directory names. Sets every drive's fits flag.
bool FitsOnSomeDrive(std::vector<DriveInfo>& drives, std::uint64_t blocks, std::uint64_t file_count,
                     std::uint64_t credit, std::string_view destination);

// The root ("D:\") of the CD-ROM drive whose label is the product's volume
// name or the given name, without regard to case; "\" when none is.
std::string FindProductCdDrive(FileSystem& files, std::string_view volume_name, std::string_view name);

struct LargestFile {
  std::string path;
  std::uint64_t size = 0;
};
// The largest file in the tree under a folder that ends in "\"; the first
// found wins a tie. Only entries whose attributes are exactly "directory"
// are searched.
LargestFile FindLargestFile(FileSystem& files, std::string_view folder);

// Given a drive such as "D:".
bool IsCdRomDrive(FileSystem& files, std::string_view drive);
// The volume name of a drive such as "D:", or "NoLabel" when it is empty.
std::string VolumeLabelOf(FileSystem& files, std::string_view drive);

}  // namespace tvx
