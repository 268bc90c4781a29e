#include "platform/registry_defaults.h"

namespace tvx {
namespace {

constexpr std::size_t kDefaultBuffer = 260;
constexpr std::size_t kIconBuffer = 208;

// The default text when it fits a buffer of that many characters with its
// terminating zero.
long ReadDefault(Registry& registry, RegistryRoot root, std::string_view subkey, std::size_t buffer,
                 std::string& text) {
  if (const long opened = registry.OpenKey(root, subkey); opened != registry_status::kSuccess) return opened;
  RegistryValue value;
  if (const long read = registry.QueryValue(root, subkey, "", value); read != registry_status::kSuccess)
    return read;
  if (value.type != RegistryType::String && value.type != RegistryType::ExpandString)
    return registry_status::kFileNotFound;
  std::string found = value.Text();
  if (found.size() >= buffer) return registry_status::kMoreData;
  text = std::move(found);
  return registry_status::kSuccess;
}

bool IsIconIndex(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

long ReadRegistryDefault(Registry& registry, RegistryRoot root, std::string_view subkey, std::string& text) {
  return ReadDefault(registry, root, subkey, kDefaultBuffer, text);
}

std::string BrowserIconPath(Registry& registry) {
  std::string value;
  if (ReadDefault(registry, RegistryRoot::ClassesRoot, "http\\DefaultIcon", kIconBuffer, value) !=
      registry_status::kSuccess)
    return {};
  // The value is "file,index": the index may have any number of digits or
  // a sign, and the file may be quoted; what is left must name the file.
  std::string_view icon = value;
  const auto comma = icon.rfind(',');
  if (comma != std::string_view::npos && IsIconIndex(icon.substr(comma + 1))) icon = icon.substr(0, comma);
  if (icon.size() >= 2 && icon.front() == '"' && icon.back() == '"') icon = icon.substr(1, icon.size() - 2);
  return std::string(icon);
}

}  // namespace tvx
