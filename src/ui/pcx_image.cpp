#include "ui/pcx_image.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/file_system.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

std::int16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

// One row of exactly bytes_per_line bytes; false when the data runs out.
bool DecodeRow(std::span<const std::uint8_t> data, std::size_t& in, std::uint8_t* row, int bytes_per_line) {
  int column = 0;
  do {
    if (in >= data.size()) return false;
    const std::uint8_t code = data[in++];
    if (code < 0xC0) {
      row[column++] = code;
      continue;
    }
    if (in >= data.size()) return false;
    const int count = code & 0x3F;
    const std::uint8_t value = data[in++];
    std::memset(row + column, value, std::min(count, bytes_per_line - column));
    column += count;
  } while (column < bytes_per_line);
  return true;
}

bool DecodeRows(std::span<const std::uint8_t> data, PcxImage& image) {
  if (image.height <= 0 || image.bytes_per_line <= 0) return true;
  const std::size_t total = static_cast<std::size_t>(image.bytes_per_line) * image.height;
  // Two bytes give at most 63 pixels: data that cannot fill the rows is cut
  // short, and is refused before a large buffer is made for it.
  if (total > (data.size() + 1) / 2 * 63) return false;
  image.pixels.assign(total, 0);
  std::size_t in = 0;
  for (int row = image.height - 1; row >= 0; --row) {
    std::uint8_t* target = image.pixels.data() + static_cast<std::size_t>(row) * image.bytes_per_line;
    if (!DecodeRow(data, in, target, image.bytes_per_line)) return false;
  }
  return true;
}

}  // namespace

bool DecodePcx(std::span<const std::uint8_t> file, PcxImage& image) {
  if (file.size() < kPcxHeaderSize + kPcxPaletteSize) return false;
  PcxImage decoded;
  decoded.width = static_cast<std::int16_t>(Le16(file, 8) + 1);
  decoded.height = static_cast<std::int16_t>(Le16(file, 10) + 1);
  decoded.bytes_per_line = Le16(file, 66);
  const auto data = file.subspan(kPcxHeaderSize, file.size() - kPcxHeaderSize - kPcxPaletteSize);
  if (!DecodeRows(data, decoded)) return false;
  // Columns beyond a row's bytes have no pixels behind them: the picture is
  // no wider than its rows, so a header cannot make a huge bitmap out of a
  // small file; without rows there is no picture at all.
  if (decoded.pixels.empty())
    decoded.width = decoded.height = 0;
  else
    decoded.width = std::clamp<std::int16_t>(decoded.width, 0, decoded.bytes_per_line);
  std::memcpy(decoded.palette.data(), file.data() + file.size() - kPcxPaletteSize, kPcxPaletteSize);
  image = std::move(decoded);
  return true;
}

namespace {

bool ReadWhole(File& file, std::string& bytes) {
  const std::uint64_t length = file.Length();
  // A picture file is read whole; one beyond what the process can hold is not a picture.
  if (length > (std::uint64_t{1} << 30)) return false;
  bytes.resize(static_cast<std::size_t>(length));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const auto result = file.Read(std::span<char>(bytes.data() + filled, bytes.size() - filled));
    if (result.error != FileError::None) return false;
    if (result.count == 0) break;
    filled += result.count;
  }
  bytes.resize(filled);
  return true;
}

}  // namespace

bool LoadPcx(FileSystem& files, Ui& ui, std::string_view path, PcxImage& image) {
  auto opened = files.Open(path, OpenMode::Read);
  std::string bytes;
  const bool read = opened.file && ReadWhole(*opened.file, bytes);
  if (!read ||
      !DecodePcx(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), image)) {
    ShowPlainMessage(ui, "Can't open " + std::string(path) + " !!");
    return false;
  }
  return true;
}

}  // namespace tvx
