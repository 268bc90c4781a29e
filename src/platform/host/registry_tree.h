// An in-memory registry: keys and values found without regard to ASCII
// case and kept with the case they were created with.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_types.h"

namespace tvx::host {

struct RegistryKey {
  std::string name;
  std::map<std::string, std::unique_ptr<RegistryKey>> subkeys;  // by folded name
  std::vector<std::pair<std::string, RegistryValue>> values;    // in creation order

  RegistryKey* FindSubkey(std::string_view child);
  RegistryKey& SubkeyOrNew(std::string_view child);
  const RegistryValue* FindValue(std::string_view value_name) const;
  void SetValue(std::string_view value_name, RegistryValue value);
  bool DeleteValue(std::string_view value_name);
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
