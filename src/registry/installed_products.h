// What the product registry says about installed products: the list, and
// where each product's install data and script are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "registry/registry_process_state.h"

namespace tvx {

inline constexpr const char* kInstalledProductsSection = "INSTALLED PRODUCTS";
inline constexpr const char* kDirectoryKey = "Directory";

// Every line of "INSTALLED PRODUCTS", in file order.
std::vector<std::string> ListInstalledProducts(FileSystem& files, RegistryProcessState& state);
// The product's "Directory" + "InstData"; without one, the running
// program's folder + "\InstData".
std::string ProductInstallDataDirectory(FileSystem& files, RegistryProcessState& state,
                                        std::string_view product);
// The product's "Directory" + "InstData\tvx.ins"; nullopt without one.
std::optional<std::string> ProductScriptPath(FileSystem& files, RegistryProcessState& state,
                                             std::string_view product);
// The product's recorded "VolumeName"; nullopt without one.
std::optional<std::string> RecordedVolumeName(FileSystem& files, RegistryProcessState& state,
                                              std::string_view product);

}  // namespace tvx
