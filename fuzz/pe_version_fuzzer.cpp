// PE version resources and string tables: any bytes are read or refused
// without leaving the image, and bytes after the image never change a
// version or a string that was found.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/host/pe_version_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> image(data, data + size);
  std::vector<std::uint8_t> longer = image;
  longer.resize(size + 64, 0xA5);
  for (const std::uint32_t id : {0u, 1u, 15u, 17u}) {
    const auto text = tvx::host::ReadPeString(image, id);
    if (text && tvx::host::ReadPeString(longer, id) != text) std::abort();
  }
  const auto version = tvx::host::ReadPeFileVersion(image);
  if (!version) return 0;
  if (tvx::host::ReadPeFileVersion(longer) != version) std::abort();
  return 0;
}
