// Reading the installed products back from the product registry.
#include "registry/installed_products.h"

#include "platform/file_services.h"
#include "registry/product_registry_file.h"

namespace tvx {
namespace {

std::optional<std::string> ProductValue(FileSystem& files, RegistryProcessState& state,
                                        std::string_view product, std::string_view key) {
  ProductRegistryFile registry(files, state);
  std::string value;
  if (!registry.ReadString(product, key, value)) return std::nullopt;
  return value;
}

std::optional<std::string> ProductDirectory(FileSystem& files, RegistryProcessState& state,
                                            std::string_view product) {
  return ProductValue(files, state, product, kDirectoryKey);
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
  if (const auto directory = ProductDirectory(files, state, product)) return *directory + "InstData";
  return ProgramDirectory(files) + "\\InstData";
}

std::optional<std::string> ProductScriptPath(FileSystem& files, RegistryProcessState& state,
                                             std::string_view product) {
  const auto directory = ProductDirectory(files, state, product);
  if (!directory) return std::nullopt;
  return *directory + "InstData\\tvx.ins";
}

std::optional<std::string> RecordedVolumeName(FileSystem& files, RegistryProcessState& state,
                                              std::string_view product) {
  return ProductValue(files, state, product, "VolumeName");
}

}  // namespace tvx
