// A PE image holding one block of a string table, built byte by byte so
// that the string reader can be tried without a resource compiler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx::testing {

struct StringBlockImage {
  std::vector<std::uint8_t> bytes;
  std::size_t block_offset = 0;  // where the sixteen strings start in the file
};

// Block n + 1 holds the strings 16n to 16n + 15; each string's characters
// are stored as 16-bit units of their byte values. Bytes after the image
// (a marker, say) are appended as they are.
StringBlockImage PeWithStringBlock(std::uint32_t block, const std::vector<std::string>& strings,
                                   const std::string& trailer = "");

}  // namespace tvx::testing
