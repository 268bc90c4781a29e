// An in-memory registry: keys and values found without regard to ASCII
// case and kept with the case they were created with.
#pragma once

#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform_types.h"

namespace tvx::host {

// A key's values in creation order, each found by its folded name in
// logarithmic time.
class RegistryValues {
 public:
  using Entry = std::pair<std::string, RegistryValue>;

  RegistryValues() = default;
  RegistryValues(RegistryValues&&) = default;
  RegistryValues& operator=(RegistryValues&&) = default;
  // The index points into the list: a copy would point into the original.
  RegistryValues(const RegistryValues&) = delete;
  RegistryValues& operator=(const RegistryValues&) = delete;

  const RegistryValue* Find(std::string_view name) const;
  void Set(std::string_view name, RegistryValue value);
  bool Erase(std::string_view name);
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }
  std::list<Entry>::const_iterator begin() const { return entries_.begin(); }
  std::list<Entry>::const_iterator end() const { return entries_.end(); }

 private:
  std::list<Entry> entries_;
  std::map<std::string, std::list<Entry>::iterator, std::less<>> index_;  // by folded name
};

struct RegistryKey {
  RegistryKey() = default;
  // Takes the subtree apart with a loop: a chain of keys as deep as the
  // registry file makes it would overflow the stack if each key destroyed
  // its children.
  ~RegistryKey();
  RegistryKey(RegistryKey&&) = default;
  RegistryKey& operator=(RegistryKey&&) = default;

  std::string name;
  std::map<std::string, std::unique_ptr<RegistryKey>> subkeys;  // by folded name
  RegistryValues values;

  RegistryKey* FindSubkey(std::string_view child);
  RegistryKey& SubkeyOrNew(std::string_view child);
  const RegistryValue* FindValue(std::string_view value_name) const { return values.Find(value_name); }
  void SetValue(std::string_view value_name, RegistryValue value) {
    values.Set(value_name, std::move(value));
  }
  bool DeleteValue(std::string_view value_name) { return values.Erase(value_name); }
};

class RegistryTree {
 public:
  RegistryTree();
  RegistryKey* Find(RegistryRoot root, std::string_view path);
  RegistryKey& Create(RegistryRoot root, std::string_view path);
  // Removes a key without subkeys; false when missing or not a leaf.
  enum class DeleteResult { Deleted, Missing, HasSubkeys };
  DeleteResult Delete(RegistryRoot root, std::string_view path);
  RegistryKey& Root(RegistryRoot root) { return roots_[static_cast<int>(root)]; }
  const RegistryKey& Root(RegistryRoot root) const { return roots_[static_cast<int>(root)]; }

 private:
  RegistryKey roots_[3];
};

const char* RootName(RegistryRoot root);
std::vector<std::string_view> SplitKeyPath(std::string_view path);

}  // namespace tvx::host
