#include "platform/host/shell_link_file.h"

#include <array>

namespace tvx::host {
namespace {

// Link flags.
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kShowNormal = 1;

// {00021401-0000-0000-C000-000000000046}, the shell link class.
constexpr std::array<std::uint8_t, 16> kLinkClass = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Windows-1252 at 0x80-0x9F; every other byte is its own code point.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class Bytes {
 public:
  void U16(std::uint32_t value) {
    for (int i = 0; i < 2; ++i) text_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  void U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) text_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  void Zeros(std::size_t count) { text_.append(count, '\0'); }
  void Raw(std::string_view bytes) { text_ += bytes; }
  // A zero-terminated ANSI text.
  void Ansi(std::string_view text) {
    text_ += text;
    text_ += '\0';
  }
  // A string-data entry: a count of characters, then UTF-16 without a zero.
  void Counted(std::string_view ansi) {
    // The count has 16 bits: a longer text is cut rather than misread.
    ansi = ansi.substr(0, 0xFFFF);
    U16(static_cast<std::uint32_t>(ansi.size()));
    for (unsigned char c : ansi) U16(c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c);
  }
  std::size_t size() const { return text_.size(); }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

bool HasDrive(std::string_view path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string LinkInfo(const std::string& local_path, const ShellLinkVolume& volume) {
  Bytes volume_id;
  volume_id.U32(static_cast<std::uint32_t>(kVolumeIdHeaderSize + volume.label.size() + 1));
  volume_id.U32(static_cast<std::uint32_t>(volume.type));
  volume_id.U32(volume.serial);
  volume_id.U32(kVolumeIdHeaderSize);  // the label follows the header
  volume_id.Ansi(volume.label);

  const auto volume_offset = kLinkInfoHeaderSize;
  const auto path_offset = static_cast<std::uint32_t>(volume_offset + volume_id.size());
  const auto suffix_offset = static_cast<std::uint32_t>(path_offset + local_path.size() + 1);
  Bytes info;
  info.U32(suffix_offset + 1);  // the whole structure, with an empty suffix
  info.U32(kLinkInfoHeaderSize);
  info.U32(kVolumeIdAndLocalBasePath);
  info.U32(volume_offset);
  info.U32(path_offset);
  info.U32(0);  // no network location
  info.U32(suffix_offset);
  info.Raw(volume_id.text());
  info.Ansi(local_path);
  info.Ansi("");
  return std::move(info.text());
}

std::uint32_t FlagsOf(const ShellLink& link, bool local) {
  std::uint32_t flags = kIsUnicode;
  if (local) flags |= kHasLinkInfo;
  if (!local && !link.target.empty()) flags |= kHasRelativePath;
  if (!link.working_directory.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;
  if (!link.icon_path.empty()) flags |= kHasIconLocation;
  return flags;
}

void Header(Bytes& bytes, std::uint32_t flags, int icon_index) {
  bytes.U32(kHeaderSize);
  for (std::uint8_t byte : kLinkClass) bytes.Raw(std::string(1, static_cast<char>(byte)));
  bytes.U32(flags);
  bytes.U32(0);        // target attributes: not recorded
  bytes.Zeros(3 * 8);  // creation, access and write times: not recorded
  bytes.U32(0);        // target size: not recorded
  bytes.U32(static_cast<std::uint32_t>(icon_index));
  bytes.U32(kShowNormal);
  bytes.U16(0);  // no hot key
  bytes.Zeros(2 + 4 + 4);
}

}  // namespace

std::string ShellLinkBytes(const ShellLink& link, const std::optional<ShellLinkVolume>& volume) {
  const bool local = volume && HasDrive(link.target);
  const std::uint32_t flags = FlagsOf(link, local);
  Bytes bytes;
  Header(bytes, flags, link.icon_index);
  if (local) bytes.Raw(LinkInfo(link.target, *volume));
  if (flags & kHasRelativePath) bytes.Counted(link.target);
  if (flags & kHasWorkingDir) bytes.Counted(link.working_directory);
  if (flags & kHasArguments) bytes.Counted(link.arguments);
  if (flags & kHasIconLocation) bytes.Counted(link.icon_path);
  bytes.U32(0);  // the terminal block of the extra data
  return std::move(bytes.text());
}

}  // namespace tvx::host
