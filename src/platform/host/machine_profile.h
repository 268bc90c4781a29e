// The simulated machine's description, read from machine.json.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/elevation_types.h"
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
  // How fast files are read, in KB (1024 bytes) per second; 0 takes no time.
  std::uint32_t read_kb_per_second = 0;
};

// The processor as its identification instruction describes it.
struct CpuProfile {
  std::string vendor = "GenuineIntel";  // the 12 characters of leaf 0
  std::uint32_t family = 6;
  std::uint32_t model = 5;
  std::uint32_t stepping = 2;
  bool has_cpuid = true;  // false: flags bit 21 does not toggle
  bool ac_flag = true;    // false: flags bit 18 does not toggle either (a 386)
  bool tsc = true;
  bool mmx = true;
  std::vector<std::uint8_t> cache_descriptors = {0x43};  // leaf 2 descriptor bytes
  std::uint64_t clock_hz = 400'000'000;
  bool performance_counter = true;
};

struct WaveDeviceProfile {
  std::string name;
  std::uint32_t formats = 0;
};

struct SoundProfile {
  std::vector<WaveDeviceProfile> wave_out;
  // The wave mapper's format mask; by default all devices' formats.
  std::optional<std::uint32_t> mapper_formats;
  std::uint32_t cd_audio_devices = 0;
};

// A file the machine has when it is made.
struct FileProfile {
  std::string path;
  std::string text;
};

// A program running on the machine, and the caption of its main window
// (empty when it has none).
struct ProcessProfile {
  std::string executable;
  std::string window;
};

// The process token under user account control, on NT 6 and later:
// "full" (an administrator without the split, or control off), "limited"
// (an administrator's filtered token), "elevated", "standard" (a user
// without administrator rights).
enum class TokenProfile { Full, Limited, Elevated, Standard };
// What the user answers when asked to run the program elevated.
enum class UacPrompt { Accept, Refuse, Fail };

struct UacProfile {
  bool enabled = false;  // "uac": true
  TokenProfile token = TokenProfile::Full;
  UacPrompt prompt = UacPrompt::Accept;
  // Whether the desktop's shell starts programs for an elevated process
  // ("desktop_shell": false makes that way fail).
  bool desktop_shell = true;
};

struct MachineProfile {
  std::string description;
  VersionRecord version;
  bool administrator = true;
  UacProfile uac;
  std::string user_language = "English";
  std::string windows_directory;
  std::string system_directory;
  MemoryStatus memory;
  ScreenInfo screen;
  std::map<SpecialFolder, std::string> special_folders;
  std::vector<DriveProfile> drives;  // in drive-letter order
  CpuProfile cpu;
  SoundProfile sound;
  // Loadable libraries by folded file name ("s3dtkw.dll"): each exported
  // function with the number it answers.
  std::map<std::string, std::map<std::string, std::int32_t>> libraries;
  // What a Windows program run to its end answers, by folded path
  // ("d:\\directx\\dxmedia.exe").
  std::map<std::string, std::int32_t> exit_codes;
  std::vector<FileProfile> files;
  std::vector<std::string> local_machine_keys;  // registry keys under HKEY_LOCAL_MACHINE
  std::vector<ProcessProfile> processes;        // programs already running

  const DriveProfile* FindDrive(char letter) const;
  const DriveProfile* FirstCdRom() const;
};

// Whether user account control exists on the machine (NT 6 or later).
bool HasUserAccountControl(const MachineProfile& profile);
// The token the program runs with, as the platform seam reports it.
ElevationState ElevationOf(const MachineProfile& profile);
// Whether the program may change what belongs to the machine (HKLM, the
// Windows and program folders): an administrator whose token holds its rights.
bool HoldsAdministratorRights(const MachineProfile& profile);

// The key of a library in MachineProfile::libraries: lower case, ".dll"
// added when the name has no extension, as LoadLibraryA does.
std::string LibraryKey(std::string_view name);
// The key of a program in MachineProfile::exit_codes: the path in lower case.
std::string FoldedPath(std::string_view path);

// Parses machine.json; on failure answers nullopt and one line in error.
std::optional<MachineProfile> ParseMachineProfile(const std::string& json_text, std::string& error);

}  // namespace tvx::host
