// A registry that hands every call to another: tests derive from it and
// change only the calls they need to.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace tvx::testing {

class ForwardingRegistry : public Registry {
 public:
  explicit ForwardingRegistry(Registry& inner) : inner_(inner) {}

  long CreateKey(RegistryRoot root, std::string_view path) override { return inner_.CreateKey(root, path); }
  long OpenKey(RegistryRoot root, std::string_view path) override { return inner_.OpenKey(root, path); }
  long DeleteKey(RegistryRoot root, std::string_view path) override { return inner_.DeleteKey(root, path); }
  long SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                const RegistryValue& value) override {
    return inner_.SetValue(root, path, name, value);
  }
  long QueryValue(RegistryRoot root, std::string_view path, std::string_view name,
                  RegistryValue& value) override {
    return inner_.QueryValue(root, path, name, value);
  }
  long DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) override {
    return inner_.DeleteValue(root, path, name);
  }
  std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view path) override {
    return inner_.SubkeyNames(root, path);
  }
  std::vector<std::string> ValueNames(RegistryRoot root, std::string_view path) override {
    return inner_.ValueNames(root, path);
  }
  long Flush(RegistryRoot root) override { return inner_.Flush(root); }

 private:
  Registry& inner_;
};

}  // namespace tvx::testing
