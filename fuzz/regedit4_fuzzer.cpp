// registry.reg: any bytes parse or are refused, and what is written back
// from a parse reads again to the same registry.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/host/regedit4.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tvx::host::RegistryTree tree;
  if (!tvx::host::ParseRegedit4(text, tree).ok) return 0;
  const std::string written = tvx::host::WriteRegedit4(tree);
  tvx::host::RegistryTree again;
  const auto reread = tvx::host::ParseRegedit4(written, again);
  if (!reread.ok || tvx::host::WriteRegedit4(again) != written) std::abort();
  return 0;
}
