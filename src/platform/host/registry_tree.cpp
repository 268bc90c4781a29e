#include "platform/host/registry_tree.h"

#include <algorithm>

#include "platform/path_text.h"

namespace tvx::host {

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

const char* RootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RegistryRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
  }
  return "";
}

RegistryKey* RegistryKey::FindSubkey(std::string_view child) {
  const auto found = subkeys.find(AsciiLower(child));
  return found == subkeys.end() ? nullptr : found->second.get();
}

RegistryKey& RegistryKey::SubkeyOrNew(std::string_view child) {
  auto& slot = subkeys[AsciiLower(child)];
  if (!slot) {
    slot = std::make_unique<RegistryKey>();
    slot->name = std::string(child);
  }
  return *slot;
}

const RegistryValue* RegistryKey::FindValue(std::string_view value_name) const {
  for (const auto& [name, value] : values)
    if (EqualsNoCase(name, value_name)) return &value;
  return nullptr;
}

void RegistryKey::SetValue(std::string_view value_name, RegistryValue value) {
  for (auto& [name, existing] : values) {
    if (EqualsNoCase(name, value_name)) {
      existing = std::move(value);
      return;
    }
  }
  values.emplace_back(std::string(value_name), std::move(value));
}

bool RegistryKey::DeleteValue(std::string_view value_name) {
  const auto found = std::find_if(values.begin(), values.end(),
                                  [&](const auto& entry) { return EqualsNoCase(entry.first, value_name); });
  if (found == values.end()) return false;
  values.erase(found);
  return true;
}

RegistryTree::RegistryTree() {
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser})
    Root(root).name = RootName(root);
}

RegistryKey* RegistryTree::Find(RegistryRoot root, std::string_view path) {
  RegistryKey* key = &Root(root);
  for (std::string_view part : SplitKeyPath(path)) {
    key = key->FindSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

RegistryKey& RegistryTree::Create(RegistryRoot root, std::string_view path) {
  RegistryKey* key = &Root(root);
  for (std::string_view part : SplitKeyPath(path)) key = &key->SubkeyOrNew(part);
  return *key;
}

RegistryTree::DeleteResult RegistryTree::Delete(RegistryRoot root, std::string_view path) {
  const auto parts = SplitKeyPath(path);
  if (parts.empty()) return DeleteResult::HasSubkeys;  // a root cannot go
  RegistryKey* parent = &Root(root);
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = parent->FindSubkey(parts[i]);
    if (!parent) return DeleteResult::Missing;
  }
  RegistryKey* key = parent->FindSubkey(parts.back());
  if (!key) return DeleteResult::Missing;
  if (!key->subkeys.empty()) return DeleteResult::HasSubkeys;
  parent->subkeys.erase(AsciiLower(parts.back()));
  return DeleteResult::Deleted;
}

}  // namespace tvx::host
