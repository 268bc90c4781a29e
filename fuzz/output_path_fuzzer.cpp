// A script's destination made a path below an output folder: any bytes
// either are refused or give a relative path of plain names that cannot
// climb out.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "safe_output_path.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tvx::authoring::SafePath safe = tvx::authoring::SafeRelativePath(text);
  if (!safe.refusal.empty()) {
    Require(safe.path.empty());
    return 0;
  }
  Require(safe.path.is_relative() && !safe.path.has_root_path());
  for (const auto& step : safe.path) {
    const std::string name = step.string();
    Require(!name.empty() && name != "." && name != "..");
    Require(name.find_first_of("/\\:") == std::string::npos);
    Require(name.back() != '.' && name.back() != ' ');
  }
  return 0;
}
