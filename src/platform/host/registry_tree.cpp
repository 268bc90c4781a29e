#include "platform/host/registry_tree.h"

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

RegistryKey::~RegistryKey() {
  std::vector<std::unique_ptr<RegistryKey>> pending;
  const auto adopt_children = [&pending](RegistryKey& key) {
    for (auto& [folded, child] : key.subkeys) pending.push_back(std::move(child));
    key.subkeys.clear();
  };
  adopt_children(*this);
  while (!pending.empty()) {
    std::unique_ptr<RegistryKey> key = std::move(pending.back());
    pending.pop_back();
    adopt_children(*key);
  }
}

const RegistryValue* RegistryValues::Find(std::string_view name) const {
  const auto found = index_.find(AsciiLower(name));
  return found == index_.end() ? nullptr : &found->second->second;
}

void RegistryValues::Set(std::string_view name, RegistryValue value) {
  std::string folded = AsciiLower(name);
  if (const auto found = index_.find(folded); found != index_.end()) {
    found->second->second = std::move(value);
    return;
  }
  index_.emplace(std::move(folded), entries_.emplace(entries_.end(), std::string(name), std::move(value)));
}

bool RegistryValues::Erase(std::string_view name) {
  const auto found = index_.find(AsciiLower(name));
  if (found == index_.end()) return false;
  entries_.erase(found->second);
  index_.erase(found);
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
