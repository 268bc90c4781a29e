// The rules applied once the script has been read.
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "script/install_data.h"
#include "script/script_parser.h"
#include "script/script_text.h"

namespace tvx {
namespace {

constexpr const char* kDemoVolumeName = "TVX Demo";
constexpr const char* kSharewareVolumeName = "TVX SHAREWARE";

void ResolveDemoVolumeName(ScriptEnvironment& env, InstallScript& script) {
  FileSystem& files = env.platform.files;
  const std::string root = files.ModulePath().substr(0, 3);
  if (files.DriveKind(root) == DriveType::CdRom) {
    const std::string label = files.VolumeLabel(root).value_or("");
    script.volume_name = label.empty() ? "NoLabel" : label;
  } else if (env.registered_volume_name) {
    if (std::optional<std::string> registered = env.registered_volume_name(script.application_name))
      script.volume_name = *registered;
  }
}

std::int32_t BlocksOfFile(FileSystem& files, const std::string& path) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file) return 0;
  const std::uint64_t length = opened.file->Length();
  return BlocksOfBytes(static_cast<std::int64_t>(std::min<std::uint64_t>(length, INT64_MAX)));
}

CopyItem InstallDataEntry(FileSystem& files, const std::string& folder, const std::string& name) {
  CopyItem item;
  item.source_name = name;
  item.destination_name = name;
  item.source_subdirectory = std::string("\\") + kInstallDataFolderName + "\\";
  item.destination_directory = std::string(kInstallDataFolderName) + "\\";
  item.size = BlocksOfFile(files, folder + name);
  item.unlogged = true;
  return item;
}

std::vector<CopyItem> InstallDataEntries(ScriptEnvironment& env, const InstallScript& script) {
  FileSystem& files = env.platform.files;
  std::string folder = env.install_data_folder;
  if (!EndsWithBackslash(folder)) folder += '\\';
  std::vector<CopyItem> entries;
  for (const std::string& name : script.languages.product_strings_files)
    entries.push_back(InstallDataEntry(files, folder, name));
  for (const char* name : {"Tvx.ins", "Tvxins.des", "Tvxins.dat"}) {
    if (!FileExists(files, folder + name)) continue;
    entries.push_back(InstallDataEntry(files, folder, name));
    break;
  }
  return entries;
}

}  // namespace

void ApplyPostParseRules(ScriptEnvironment& env, InstallScript& script) {
  if (script.volume_name == kDemoVolumeName) ResolveDemoVolumeName(env, script);
  if (script.volume_name == kSharewareVolumeName) script.data_source = ProgramDirectory(env.platform.files);
  if (script.default_path.empty()) script.default_path = "\\Tarvex\\" + script.application_name + "\\";
  const std::vector<CopyItem> entries = InstallDataEntries(env, script);
  for (Configuration& configuration : script.configurations) {
    if (configuration.playable) continue;
    for (const CopyItem& entry : entries) configuration.files.Add(entry);
  }
}

}  // namespace tvx
