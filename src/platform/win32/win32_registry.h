// The real registry through the Win32 ANSI calls.
#pragma once

#include "platform/registry.h"

namespace tvx::win32 {

class Win32Registry : public Registry {
 public:
  long CreateKey(RegistryRoot root, std::string_view path) override;
  long OpenKey(RegistryRoot root, std::string_view path) override;
  long DeleteKey(RegistryRoot root, std::string_view path) override;
  long SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                const RegistryValue& value) override;
  long QueryValue(RegistryRoot root, std::string_view path, std::string_view name,
                  RegistryValue& value) override;
  long DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) override;
  std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view path) override;
  std::vector<std::string> ValueNames(RegistryRoot root, std::string_view path) override;
  long Flush(RegistryRoot root) override;
};

}  // namespace tvx::win32
