// Small value types that cross the platform seam.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

// Why a file-system call failed; the seam tells these apart so callers can
// report a full disk differently from other failures.
enum class FileError {
  None,
  NotFound,
  PathNotFound,
  AccessDenied,
  AlreadyExists,
  DirectoryNotEmpty,
  InvalidName,
  DiskFull,
  IoError,
};

const char* FileErrorName(FileError error);

// Values of GetDriveTypeA, so stored numbers keep their meaning.
enum class DriveType : std::uint32_t {
  Unknown = 0,
  NoRootDirectory = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

// File attribute bits as the platform reports them.
namespace attribute {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
}  // namespace attribute

// One name returned by a directory search.
struct FindEntry {
  std::string name;
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;

  bool IsDirectory() const { return (attributes & attribute::kDirectory) != 0; }
};

// Free and total space of a volume, in 64 bits, with its cluster geometry.
struct DiskSpace {
  std::uint32_t sectors_per_cluster = 0;
  std::uint32_t bytes_per_sector = 0;
  std::uint64_t free_bytes = 0;
  std::uint64_t total_bytes = 0;
};

// The version record of GetVersionExA.
struct VersionRecord {
  std::uint32_t platform_id = 0;  // 1: Windows 95/98 family, 2: NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string service;  // the service-pack text, compared exactly
};

inline constexpr std::uint32_t kPlatformWin32Windows = 1;
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// Memory status in 64 bits (GlobalMemoryStatusEx).
struct MemoryStatus {
  std::uint64_t total_physical = 0;
  std::uint64_t available_physical = 0;
  std::uint64_t total_page_file = 0;
  std::uint64_t available_page_file = 0;
};

// What the screen device context reports.
struct ScreenInfo {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  int planes = 1;
  int logical_dpi_x = 96;
  int logical_dpi_y = 96;
  bool palette = false;  // RC_PALETTE: an 8-bit display with a hardware palette
};

// Message-box styles and answers, with the platform's numbers.
namespace box {
inline constexpr std::uint32_t kOk = 0x00;
inline constexpr std::uint32_t kOkCancel = 0x01;
inline constexpr std::uint32_t kAbortRetryIgnore = 0x02;
inline constexpr std::uint32_t kYesNoCancel = 0x03;
inline constexpr std::uint32_t kYesNo = 0x04;
inline constexpr std::uint32_t kRetryCancel = 0x05;
inline constexpr std::uint32_t kButtonMask = 0x0F;
inline constexpr std::uint32_t kIconHand = 0x10;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconAsterisk = 0x40;
inline constexpr std::uint32_t kIconMask = 0xF0;
inline constexpr std::uint32_t kDefaultButton2 = 0x100;
inline constexpr std::uint32_t kDefaultButton3 = 0x200;
inline constexpr std::uint32_t kDefaultButtonMask = 0xF00;
inline constexpr std::uint32_t kSetForeground = 0x10000;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace box

// The buttons of a message-box style, left to right.
std::vector<int> ButtonsOfStyle(std::uint32_t style);

// Who owns a message box: the program's main window, or nobody.
enum class BoxOwner { MainWindow, None };

// Special folders of the shell, with their CSIDL numbers.
enum class SpecialFolder : int {
  Programs = 2,
  Startup = 7,
  StartMenu = 11,
  DesktopDirectory = 16,
  Fonts = 20,
  // Shared by every user of the machine (NT only).
  CommonStartMenu = 22,
  CommonPrograms = 23,
  CommonStartup = 24,
  CommonDesktopDirectory = 25,
};

// Registry roots the program uses.
enum class RegistryRoot { LocalMachine, ClassesRoot, CurrentUser };

// Registry value types, with the platform's numbers.
enum class RegistryType : std::uint32_t {
  None = 0,
  String = 1,
  ExpandString = 2,
  Binary = 3,
  Dword = 4,
  MultiString = 7,
};

// A registry value as raw bytes: a string value holds its terminating zero
// when the writer stored one.
struct RegistryValue {
  RegistryType type = RegistryType::None;
  std::string data;

  static RegistryValue String(std::string_view text);
  static RegistryValue Dword(std::uint32_t number);
  // The text of a string value without its terminating zero.
  std::string Text() const;
  bool operator==(const RegistryValue&) const = default;
};

// Status codes of registry calls: the platform's own numbers.
namespace registry_status {
inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kInvalidParameter = 87;
inline constexpr long kMoreData = 234;
}  // namespace registry_status

}  // namespace tvx
