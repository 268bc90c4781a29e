#include "install/shared_count.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tvx {
namespace {

constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;

struct Count {
  std::uint32_t value = 0;
  RegistryType type = RegistryType::Dword;
};

// The count as a 4-byte read sees it: shorter data reads as zero-padded;
// longer data does not fit the reader's buffer and counts as missing.
std::optional<Count> ReadCount(Registry& registry, std::string_view key, std::string_view name) {
  RegistryValue value;
  if (registry.QueryValue(kRoot, key, name, value) != registry_status::kSuccess || value.data.size() > 4)
    return std::nullopt;
  Count count{0, value.type};
  for (std::size_t i = 0; i < value.data.size(); ++i)
    count.value |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
  return count;
}

void WriteCount(Registry& registry, std::string_view key, std::string_view name, const Count& count) {
  RegistryValue value = RegistryValue::Dword(count.value);
  value.type = count.type;
  registry.SetValue(kRoot, key, name, value);
  registry.Flush(kRoot);
}

}  // namespace

void IncrementSharedCount(Registry& registry, Ui& ui, std::string_view key, std::string_view value_name) {
  if (registry.OpenKey(kRoot, key) != registry_status::kSuccess) return;
  if (auto count = ReadCount(registry, key, value_name)) {
    ++count->value;
    WriteCount(registry, key, value_name, *count);
    return;
  }
  if (registry.CreateKey(kRoot, key) != registry_status::kSuccess) {
    ui.ShowMessageBox("Can't register " + std::string(value_name), "", box::kOk);
    return;
  }
  WriteCount(registry, key, value_name, Count{1, RegistryType::Dword});
}

bool DecrementSharedCount(Registry& registry, Ui& ui, std::string_view key, std::string_view value_name,
                          std::string_view question, std::string_view caption) {
  if (registry.OpenKey(kRoot, key) != registry_status::kSuccess) return false;
  auto count = ReadCount(registry, key, value_name);
  if (!count) return false;
  // A count already at 0 (a library kept at its last uninstall) must not
  // wrap round to four thousand million users.
  if (count->value > 0) --count->value;
  WriteCount(registry, key, value_name, *count);
  if (count->value != 0) return false;
  const std::uint32_t style = box::kYesNo | box::kIconQuestion | box::kDefaultButton2;
  return ui.ShowMessageBox(question, caption, style) == box::kIdYes;
}

void DropSharedCount(Registry& registry, std::string_view key, std::string_view value_name) {
  if (registry.OpenKey(kRoot, key) != registry_status::kSuccess) return;
  auto count = ReadCount(registry, key, value_name);
  if (!count) return;
  if (count->value > 1) {
    --count->value;
    WriteCount(registry, key, value_name, *count);
    return;
  }
  ForgetSharedCount(registry, key, value_name);
}

void ForgetSharedCount(Registry& registry, std::string_view key, std::string_view value_name) {
  if (registry.DeleteValue(kRoot, key, value_name) == registry_status::kSuccess) registry.Flush(kRoot);
}

}  // namespace tvx
