#include "install/uninstall_entry.h"

#include "platform/file_services.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"

namespace tvx {
namespace {

constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;

// REG_SZ counted without its terminating zero.
RegistryValue Text(std::string_view text) { return RegistryValue{RegistryType::String, std::string(text)}; }

std::string MakerKey(std::string_view product) {
  return std::string(kMakerKey) + "\\" + std::string(product);
}

std::string UninstallKey(std::string_view product) {
  return std::string(kUninstallListKey) + "\\" + std::string(product);
}

void WriteUninstallValues(Registry& registry, const std::string& key, const UninstallEntry& entry,
                          std::string_view windows_directory) {
  registry.SetValue(kRoot, key, "DisplayName", Text(entry.product));
  registry.SetValue(kRoot, key, "UninstallString", Text(UninstallCommand(windows_directory, entry.product)));
  registry.SetValue(kRoot, key, "DisplayVersion", Text(entry.version));
  registry.SetValue(kRoot, key, "InstallLocation", Text(entry.install_directory));
  if (!entry.icon.empty()) registry.SetValue(kRoot, key, "DisplayIcon", Text(entry.icon));
  registry.SetValue(kRoot, key, "EstimatedSize", RegistryValue::Dword(entry.size_kilobytes));
  registry.SetValue(kRoot, key, "NoModify", RegistryValue::Dword(1));
  registry.SetValue(kRoot, key, "NoRepair", RegistryValue::Dword(1));
}

// The maker's key goes with the last product only: a rollback of a second
// product sees one entry, the first product's, whose key must stay.
bool LastProductGoes(Platform& platform, RegistryProcessState& state, std::string_view product) {
  const std::vector<std::string> products = ListInstalledProducts(platform.files, state);
  if (products.size() > 1 || (products.size() == 1 && products.front() != product)) return false;
  return platform.registry.SubkeyNames(kRoot, kMakerKey).empty();
}

// An empty name or one with "\" would name the list's own key or a key
// below another product's.
bool NamesOneKey(std::string_view product) {
  return !product.empty() && product.find('\\') == std::string_view::npos;
}

}  // namespace

std::string UninstallCommand(std::string_view windows_directory, std::string_view product) {
  return "\"" + std::string(windows_directory) + "\\Tarvex\\SetupTvx.exe\" -uninstall " +
         std::string(product);
}

void RegisterProduct(Platform& platform, const UninstallEntry& entry) {
  if (!NamesOneKey(entry.product)) return;
  Registry& registry = platform.registry;
  const std::string maker = MakerKey(entry.product);
  if (registry.CreateKey(kRoot, maker) == registry_status::kSuccess) {
    registry.SetValue(kRoot, maker, "Version", Text(entry.version));
    registry.Flush(kRoot);
  } else {
    platform.ui.ShowMessageBox("Can't register " + entry.product, "", box::kOk);
  }
  const std::string uninstall = UninstallKey(entry.product);
  if (registry.CreateKey(kRoot, uninstall) == registry_status::kSuccess) {
    WriteUninstallValues(registry, uninstall, entry, WindowsDirectory(platform.files));
    registry.Flush(kRoot);
  } else {
    platform.ui.ShowMessageBox("Can't register uninstall string " + entry.product, "", box::kOk);
  }
}

void UnregisterProduct(Platform& platform, RegistryProcessState& state, std::string_view product) {
  if (!NamesOneKey(product)) return;
  platform.registry.DeleteKey(kRoot, MakerKey(product));
  if (LastProductGoes(platform, state, product)) platform.registry.DeleteKey(kRoot, kMakerKey);
  platform.registry.DeleteKey(kRoot, UninstallKey(product));
}

}  // namespace tvx
