// The registry of a simulated machine, kept in registry.reg.
#pragma once

#include <filesystem>

#include "platform/host/machine_profile.h"
#include "platform/host/registry_tree.h"
#include "platform/registry.h"

namespace tvx::host {

class HostRegistry : public Registry {
 public:
  // Loads the file; a missing file is an empty registry.
  HostRegistry(std::filesystem::path file, const MachineProfile& profile);
  bool loaded() const { return problem_.empty(); }
  // Why the file was refused, naming its line: one line, or empty.
  const std::string& problem() const { return problem_; }

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

 private:
  bool MayWrite(RegistryRoot root) const;
  long Save();

  std::filesystem::path file_;
  const MachineProfile& profile_;
  RegistryTree tree_;
  std::string problem_;
};

}  // namespace tvx::host
