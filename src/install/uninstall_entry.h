// The product's keys in the system registry: the maker's key with the
// version, and the entry the system's list of programs shows and removes
// the product with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "registry/registry_process_state.h"

namespace tvx {

inline constexpr const char* kMakerKey = "software\\Tarvex";
inline constexpr const char* kUninstallListKey = "software\\microsoft\\windows\\currentversion\\uninstall";

struct UninstallEntry {
  std::string product;            // the script's application name
  std::string version;            // the script's VERSION
  std::string install_directory;  // ends in "\"
  std::uint32_t size_kilobytes = 0;
  std::string icon;  // full path of the icon the list shows; empty for none
};

// The command the entry runs: the common copy of the program, quoted, then
// "-uninstall" and the product name as it stands.
std::string UninstallCommand(std::string_view windows_directory, std::string_view product);

// Writes both keys; a key that cannot be made is reported and skipped.
void RegisterProduct(Platform& platform, const UninstallEntry& entry);
// Deletes both keys, and the maker's key once no product is left in it.
void UnregisterProduct(Platform& platform, RegistryProcessState& state, std::string_view product);

}  // namespace tvx
