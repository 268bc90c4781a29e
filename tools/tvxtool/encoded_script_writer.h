// Writes encoded script containers, for authors and tests; the program
// itself only reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tvx::authoring {

struct ContainerLayout {
  std::uint8_t k0 = 0x5A, k1 = 0xC3, d0 = 0x11, d1 = 0x07;
  std::size_t chunk_size = 4096;  // text bytes per data record
  std::size_t header_filler = 0;  // skipped bytes before the key record
  std::size_t body_filler = 0;    // skipped bytes before each data record
};

std::string WriteEncodedScript(std::string_view text, const ContainerLayout& layout = {});

}  // namespace tvx::authoring
