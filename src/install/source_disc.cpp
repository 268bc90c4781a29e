#include "install/source_disc.h"

#include "platform/path_text.h"
#include "script/install_script.h"

namespace tvx {
namespace {

// The drive strings fill a buffer of 200 characters, four for each drive.
constexpr std::size_t kMostDrives = 200 / 4;

}  // namespace

std::optional<std::string> LocateSourceDisc(FileSystem& files, std::string_view volume_name) {
  if (!EqualsNoCase(volume_name, kMasterVolumeName)) return std::nullopt;
  const std::vector<std::string> roots = files.LogicalDrives();
  for (std::size_t i = 0; i < roots.size() && i < kMostDrives; ++i) {
    const std::string& root = roots[i];
    if (root.size() < 2 || files.DriveKind(root) != DriveType::CdRom) continue;
    const std::optional<std::string> label = files.VolumeLabel(root);
    if (label && EqualsNoCase(*label, volume_name)) return root.substr(0, 2);
  }
  return std::nullopt;
}

}  // namespace tvx
