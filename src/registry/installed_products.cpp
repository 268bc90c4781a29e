// Reading the installed products back from the product registry.
#include "registry/installed_products.h"

#include "platform/file_services.h"
#include "registry/product_registry_file.h"
#include "script/install_data.h"

namespace tvx {
namespace {

std::optional<std::string> ProductValue(FileSystem& files, RegistryProcessState& state,
                                        std::string_view product, std::string_view key) {
  ProductRegistryFile registry(files, state);
  std::string value;
  if (!registry.ReadString(product, key, value)) return std::nullopt;
  return value;
}

// The product's "Directory" + "InstData": the directory is recorded with
// its final backslash.
std::optional<std::string> InstalledDataDirectory(FileSystem& files, RegistryProcessState& state,
                                                  std::string_view product) {
  const auto directory = ProductValue(files, state, product, kDirectoryKey);
  if (!directory) return std::nullopt;
  return *directory + kInstallDataFolderName;
}

}  // namespace

std::vector<std::string> ListInstalledProducts(FileSystem& files, RegistryProcessState& state) {
  ProductRegistryFile registry(files, state);
  std::vector<std::string> products;
  std::string line;
  while (registry.NextEntry(kInstalledProductsSection, line)) products.push_back(line);
  return products;
}

std::string ProductInstallDataDirectory(FileSystem& files, RegistryProcessState& state,
                                        std::string_view product) {
  if (auto installed = InstalledDataDirectory(files, state, product)) return std::move(*installed);
  return ProgramDirectory(files) + "\\" + kInstallDataFolderName;
}

std::optional<std::string> ProductScriptPath(FileSystem& files, RegistryProcessState& state,
                                             std::string_view product) {
  const auto installed = InstalledDataDirectory(files, state, product);
  if (!installed) return std::nullopt;
  return ScriptPathIn(*installed);
}

std::optional<std::string> RecordedVolumeName(FileSystem& files, RegistryProcessState& state,
                                              std::string_view product) {
  return ProductValue(files, state, product, "VolumeName");
}

}  // namespace tvx
