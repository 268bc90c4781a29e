// The system registry: keys addressed by root and path, values as raw bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_types.h"

namespace tvx {

class Registry {
 public:
  virtual ~Registry() = default;

  // Each answers a registry status code (registry_status::kSuccess = 0).
  virtual long CreateKey(RegistryRoot root, std::string_view path) = 0;
  virtual long OpenKey(RegistryRoot root, std::string_view path) = 0;  // exists and readable
  // Removes a key that has no subkeys.
  virtual long DeleteKey(RegistryRoot root, std::string_view path) = 0;
  // The key must exist; an empty name is the key's default value.
  virtual long SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                        const RegistryValue& value) = 0;
  virtual long QueryValue(RegistryRoot root, std::string_view path, std::string_view name,
                          RegistryValue& value) = 0;
  virtual long DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) = 0;
  virtual std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view path) = 0;
  virtual std::vector<std::string> ValueNames(RegistryRoot root, std::string_view path) = 0;
  virtual long Flush(RegistryRoot root) = 0;
};

}  // namespace tvx
