// PE version resources: any bytes are read or refused without leaving the
// image, and bytes after the image never change a version that was found.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/host/pe_version_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> image(data, data + size);
  const auto version = tvx::host::ReadPeFileVersion(image);
  if (!version) return 0;
  std::vector<std::uint8_t> longer = image;
  longer.resize(size + 64, 0xA5);
  if (tvx::host::ReadPeFileVersion(longer) != version) std::abort();
  return 0;
}
