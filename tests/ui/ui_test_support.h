// PCX files made in the test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tvx::testing {

struct PcxFile {
  int xmax = 0;
  int ymax = 0;
  int bytes_per_line = 0;
  std::vector<std::uint8_t> data;  // run-length data
  std::array<std::uint8_t, 768> palette{};
  bool marker = true;  // the 12 byte in front of the palette
};

// A palette whose entry i is (i, 255 - i, i / 2).
std::array<std::uint8_t, 768> RampPalette();
std::string PcxBytes(const PcxFile& file);
// Literal codes for rows of plain bytes below 0xC0, one row after another.
std::vector<std::uint8_t> Rows(const std::vector<std::vector<std::uint8_t>>& rows);

}  // namespace tvx::testing
