// The file system of a simulated machine: drive letters map to folders
// under <machine>/drives, names match without regard to ASCII case. A
// symbolic link under drives/ cannot be reached: every operation on it or
// through it fails with AccessDenied, and finding files leaves it out. On
// NT 6 and later a token without administrator rights cannot change the
// Windows folder or the program folders: nothing is virtualized.
#pragma once

#include <filesystem>
#include <map>
#include <optional>

#include "platform/file_system.h"
#include "platform/host/host_file.h"
#include "platform/host/host_folder.h"
#include "platform/host/machine_profile.h"
#include "platform/host/simulated_clock.h"
#include "platform/host/windows_path.h"

namespace tvx::host {

class HostFileSystem : public FileSystem {
 public:
  // Reads from a drive with a read speed take their time on the clock.
  HostFileSystem(std::filesystem::path machine_folder, const MachineProfile& profile, std::string module_path,
                 SimulatedClock& clock);

  OpenResult Open(std::string_view path, OpenMode mode) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override;
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override;
  FileError MakeDirectory(std::string_view path) override;
  FileError RemoveEmptyDirectory(std::string_view path) override;
  FileError RemoveFile(std::string_view path) override;
  FileError Rename(std::string_view from, std::string_view to, bool replace_existing) override;
  FindResult Find(std::string_view pattern) override;
  FileError ChangeDirectory(std::string_view path) override;
  std::string CurrentDirectory() override;
  std::vector<std::string> LogicalDrives() override;
  DriveType DriveKind(std::string_view root) override;
  std::optional<std::string> VolumeLabel(std::string_view root) override;
  std::optional<DiskSpace> FreeSpace(std::string_view root) override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string ModulePath() override;

  // The host folder of a Windows path, for tools and tests; nullopt when the
  // path is not on a drive of the machine.
  std::optional<std::filesystem::path> HostPathOf(std::string_view path);

 private:
  // An entry reached without following links: the folder that holds it and
  // its name there ("." for a drive's root).
  struct Resolved {
    WindowsPath path;
    std::filesystem::path host;
    HostFolder folder;
    std::string name = ".";
    EntryStatus status;
    DriveUsage* usage = nullptr;
    bool exists = false;
    bool is_directory = false;
    bool read_only_drive = false;
    bool denied_to_user = false;  // a folder of the machine, for a token without its rights

    bool Unwritable() const { return read_only_drive || denied_to_user; }
  };
  struct Resolution {
    std::optional<Resolved> resolved;
    FileError error = FileError::None;
  };

  Resolution Resolve(std::string_view path, bool allow_wildcards = false);
  Resolution ResolveParsed(const WindowsPath& path);
  HostFolder DriveFolder(char letter);
  DriveUsage* UsageOf(char letter);
  std::optional<char> DriveOfRoot(std::string_view root) const;
  OpenResult OpenResolved(const Resolved& target, OpenMode mode);
  bool DeniedToUser(const WindowsPath& path) const;

  std::filesystem::path machine_folder_;
  const MachineProfile& profile_;
  std::string module_path_;
  SimulatedClock& clock_;
  WindowsPath current_;
  std::map<char, DriveUsage> usage_;
  std::map<char, HostFolder> drive_folders_;
  // The Windows folder and the program folders: only administrators
  // holding their rights change them where user account control exists.
  std::vector<WindowsPath> machine_folders_;
};

}  // namespace tvx::host
