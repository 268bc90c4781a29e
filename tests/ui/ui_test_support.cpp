#include "ui/ui_test_support.h"

namespace tvx::testing {

std::array<std::uint8_t, 768> RampPalette() {
  std::array<std::uint8_t, 768> palette{};
  for (int i = 0; i < 256; ++i) {
    palette[i * 3] = static_cast<std::uint8_t>(i);
    palette[i * 3 + 1] = static_cast<std::uint8_t>(255 - i);
    palette[i * 3 + 2] = static_cast<std::uint8_t>(i / 2);
  }
  return palette;
}

std::string PcxBytes(const PcxFile& file) {
  std::string bytes(128, '\0');
  bytes[0] = 10;
  bytes[1] = 5;
  bytes[2] = 1;
  bytes[3] = 8;
  const auto put16 = [&](std::size_t at, int value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
  };
  put16(8, file.xmax);
  put16(10, file.ymax);
  bytes[65] = 1;
  put16(66, file.bytes_per_line);
  bytes.append(file.data.begin(), file.data.end());
  if (file.marker) bytes += '\x0C';
  bytes.append(file.palette.begin(), file.palette.end());
  return bytes;
}

std::vector<std::uint8_t> Rows(const std::vector<std::vector<std::uint8_t>>& rows) {
  std::vector<std::uint8_t> data;
  for (const auto& row : rows) data.insert(data.end(), row.begin(), row.end());
  return data;
}

}  // namespace tvx::testing
