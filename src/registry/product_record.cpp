// Recording an installed product: its entries in their order, then a save.
#include "registry/product_record.h"

#include "platform/file_services.h"
#include "platform/shortcut_folders.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"

namespace tvx {
namespace {

// Collects the write codes: one zero marks the record as failed.
class RecordWriter {
 public:
  RecordWriter(ProductRegistryFile& registry, std::string_view product)
      : registry_(registry), product_(product) {}

  bool String(std::string_view key, std::string_view value) {
    return Check(registry_.WriteString(product_, key, value));
  }
  bool Long(std::string_view key, std::int32_t value) {
    return Check(registry_.WriteLong(product_, key, value));
  }
  bool Elsewhere(std::string_view section, std::string_view key, std::string_view value) {
    return Check(registry_.WriteString(section, key, value));
  }
  bool failed() const { return failed_; }

 private:
  bool Check(int code) {
    if (code == kWriteFailed) failed_ = true;
    return code != kWriteFailed;
  }

  ProductRegistryFile& registry_;
  std::string_view product_;
  bool failed_ = false;
};

void WriteEntries(RecordWriter& write, Platform& platform, const InstallScript& script,
                  const Configuration* configuration, const InstallChoices& choices,
                  std::string_view shortcut_folder) {
  const std::string desktop = NewShortcutFolders(platform).desktop;
  write.Elsewhere(kInstalledProductsSection, script.application_name, "");
  write.String(kDirectoryKey, choices.install_directory);
  write.String("SrcDataPath", SourceDataPath(platform.files, choices.source_directory));
  write.String("VolumeName", script.volume_name);
  write.Long("Configuration", choices.configuration);
  write.String("Language", choices.language);
  if (configuration && !configuration->playable) {
    write.String("ShortCutDirectory", shortcut_folder);
    write.String("ShortCutDesktopName", desktop + "\\" + choices.desktop_shortcut_name);
  }
  if (script.web_shortcut) write.String("WebShortCutDesktopName", desktop + "\\" + script.web_shortcut_name);
  if (script.client_offered && !script.web_addresses.empty()) write.String("URL", choices.web_address);
  write.Elsewhere("NVC", "Valid", "TRUE");
  if (!configuration) return;
  const IniEntries& ini = configuration->ini;
  for (std::size_t i = 0; i < ini.keys.size() && i < ini.values.size(); ++i)
    if (!write.String(ini.keys[i], ini.values[i])) break;
}

}  // namespace

std::string SourceDataPath(FileSystem& files, std::string_view source_directory) {
  const std::string program = ProgramDirectory(files);
  const std::string drive = program.substr(0, 2);
  if (files.DriveKind(drive + "\\") == DriveType::CdRom) return program.substr(drive.size()) + "\\";
  return std::string(source_directory) + "\\";
}

bool RecordProduct(Platform& platform, RegistryProcessState& state, const InstallScript& script,
                   const InstallChoices& choices, std::string_view shortcut_folder) {
  const auto index = static_cast<std::size_t>(choices.configuration);
  // A choice outside the script cannot be recorded truthfully.
  const Configuration* configuration = choices.configuration >= 0 && index < script.configurations.size()
                                           ? &script.configurations[index]
                                           : nullptr;
  ProductRegistryFile registry(platform.files, state);
  RecordWriter write(registry, script.application_name);
  WriteEntries(write, platform, script, configuration, choices, shortcut_folder);
  const bool saved = registry.Save();
  if (saved && !write.failed() && configuration) return true;
  platform.ui.ShowMessageBox(kRecordFailedText, kRecordFailedCaption, box::kIconHand);
  return false;
}

}  // namespace tvx
