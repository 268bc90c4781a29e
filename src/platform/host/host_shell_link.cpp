// Shortcuts on the simulated machine: real ".lnk" files on its drives.
#include "platform/host/host_shell.h"
#include "platform/host/shell_link_file.h"

namespace tvx::host {
namespace {

// The volume of a target such as "C:\Games\Zephra.exe"; none for a target
// without a drive the machine has.
std::optional<ShellLinkVolume> VolumeOf(FileSystem& files, std::string_view target) {
  if (target.size() < 3 || target[1] != ':' || target[2] != '\\') return std::nullopt;
  const std::string root(target.substr(0, 3));
  const DriveType type = files.DriveKind(root);
  if (type == DriveType::NoRootDirectory || type == DriveType::Unknown) return std::nullopt;
  return ShellLinkVolume{type, 0, files.VolumeLabel(root).value_or("")};
}

}  // namespace

bool HostShell::CreateShellLink(const ShellLink& link) {
  const std::string bytes = ShellLinkBytes(link, VolumeOf(files_, link.target));
  OpenResult opened = files_.Open(link.file, OpenMode::CreateAlways);
  return opened.file && opened.file->Write(bytes) == FileError::None;
}

}  // namespace tvx::host
