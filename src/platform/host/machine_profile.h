// The simulated machine's description, read from machine.json.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_types.h"

namespace tvx::host {

struct DriveProfile {
  char letter = 'C';  // upper case
  DriveType type = DriveType::Fixed;
  std::string label;
  bool has_media = true;  // a CD-ROM drive may be empty
  // Total size; writes past it fail with a full disk.
  std::uint64_t capacity = 2ull << 30;
  // Space taken by content that the simulation does not hold as files.
  std::uint64_t used = 0;
  std::uint32_t bytes_per_sector = 512;
  std::uint32_t sectors_per_cluster = 8;
};

struct MachineProfile {
  std::string description;
  VersionRecord version;
  bool administrator = true;
  std::string user_language = "English";
  std::string windows_directory;
  std::string system_directory;
  MemoryStatus memory;
  ScreenInfo screen;
  std::map<SpecialFolder, std::string> special_folders;
  std::vector<DriveProfile> drives;  // in drive-letter order

  const DriveProfile* FindDrive(char letter) const;
  const DriveProfile* FirstCdRom() const;
};

// Parses machine.json; on failure answers nullopt and one line in error.
std::optional<MachineProfile> ParseMachineProfile(const std::string& json_text, std::string& error);

}  // namespace tvx::host
