// tvx.ini and tvx.bak: any bytes load, the lookups end, and a save writes
// back every line that was loaded, in a layout that saves to itself again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "registry/product_registry_file.h"
#include "registry/registry_text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The lookups every caller makes, on a product named by the file itself.
void Exercise(tvx::RegistryProcessState& state, std::string_view text) {
  tvx::ProductRegistryFile registry(state, text);
  std::string product;
  std::vector<std::string> listed;
  while (registry.NextEntry("INSTALLED PRODUCTS", product)) listed.push_back(product);
  Require(!state.enumeration_running);
  product = listed.empty() ? std::string("Zephra") : listed.front();
  std::string value;
  std::int32_t number = 0;
  registry.ReadString(product, "Directory", value);
  registry.ReadLong("SYSTEM", "CD ROM Speed", number);
  Require(registry.CountEntries(product) >= 0);
  registry.WriteSystemLong("CD ROM Speed", number);
  registry.WriteString(product, "Directory", value);
  registry.DeleteKey("INSTALLED PRODUCTS", product);
  registry.DeleteSection(product);
  Require(!state.enumeration_running);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tvx::RegistryProcessState state;
  tvx::ProductRegistryFile loaded(state, text);
  const std::string saved = loaded.Text();
  Require(Sorted(tvx::ParseRegistryText(saved)) == Sorted(loaded.lines()));
  tvx::ProductRegistryFile reloaded(state, saved);
  Require(reloaded.Text() == saved);
  Exercise(state, text);
  return 0;
}
