#include "shell/startup_places.h"

#include "detection/configuration_matcher.h"
#include "install/source_disc.h"
#include "platform/path_text.h"

namespace tvx {

std::string FindSourceRoot(FileSystem& files, const InstallScript& script) {
  if (script.data_source != kDataSourceCdRom) return script.data_source;
  return LocateSourceDisc(files, script.volume_name).value_or("");
}

std::string FindProductDisc(FileSystem& files, std::string_view volume_name) {
  for (const std::string& root : files.LogicalDrives()) {
    if (files.DriveKind(root) != DriveType::CdRom) continue;
    const auto label = files.VolumeLabel(root);
    if (label && EqualsNoCase(label->empty() ? "NoLabel" : *label, volume_name)) return root;
  }
  return "\\";
}

std::string ClientSourceFolder(const InstallScript& script, std::string_view source_root, bool installed) {
  if (!script.client_offered || installed) return kNoClientSourceFolder;
  return JoinPath(source_root, script.client_folder);
}

}  // namespace tvx
