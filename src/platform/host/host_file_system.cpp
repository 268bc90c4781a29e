#include "platform/host/host_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/host/unique_fd.h"
#include "platform/path_text.h"

namespace tvx::host {
namespace fs = std::filesystem;

namespace {

std::string DriveFolderName(char letter) {
  return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
}

// Paths the ANSI functions take are at most MAX_PATH characters with the
// terminating zero; the bound also keeps every walk short.
constexpr std::size_t kMaxPath = 260;

bool TooLong(const WindowsPath& path) { return path.Text().size() >= kMaxPath; }

std::uint32_t AttributesOf(const EntryStatus& status, bool read_only_drive) {
  std::uint32_t attributes = status.is_directory ? attribute::kDirectory : attribute::kArchive;
  // Discs are read-only media: Windows reports their files as read-only.
  if (!status.writable || (read_only_drive && !status.is_directory)) attributes |= attribute::kReadOnly;
  return attributes;
}

}  // namespace

HostFileSystem::HostFileSystem(fs::path machine_folder, const MachineProfile& profile,
                               std::string module_path, SimulatedClock& clock)
    : machine_folder_(std::move(machine_folder)),
      profile_(profile),
      module_path_(std::move(module_path)),
      clock_(clock) {
  for (const DriveProfile& drive : profile_.drives)
    usage_.try_emplace(drive.letter, drive, machine_folder_ / "drives" / DriveFolderName(drive.letter));
  const ParsedPath start = ParseWindowsPath(UpToLastBackslash(module_path_), WindowsPath{});
  current_ = start.path.value_or(WindowsPath{profile_.drives.front().letter, {}});
  const std::string windows = profile_.windows_directory;
  for (const std::string& folder :
       {windows, windows.substr(0, 3) + "Program Files", windows.substr(0, 3) + "Program Files (x86)"})
    if (const ParsedPath parsed = ParseWindowsPath(folder, WindowsPath{}); parsed.path)
      machine_folders_.push_back(*parsed.path);
}

bool HostFileSystem::DeniedToUser(const WindowsPath& path) const {
  if (!HasUserAccountControl(profile_) || HoldsAdministratorRights(profile_)) return false;
  return std::any_of(machine_folders_.begin(), machine_folders_.end(), [&](const WindowsPath& folder) {
    return folder.drive == path.drive && folder.components.size() <= path.components.size() &&
           std::equal(folder.components.begin(), folder.components.end(), path.components.begin(),
                      [](const auto& a, const auto& b) { return EqualsNoCase(a, b); });
  });
}

DriveUsage* HostFileSystem::UsageOf(char letter) {
  const auto found = usage_.find(letter);
  return found == usage_.end() ? nullptr : &found->second;
}

HostFileSystem::Resolution HostFileSystem::Resolve(std::string_view path, bool allow_wildcards) {
  const ParsedPath parsed = ParseWindowsPath(path, current_, allow_wildcards);
  if (!parsed.path) return {std::nullopt, parsed.error};
  return ResolveParsed(*parsed.path);
}

// Each drive's folder is opened once, not walked to again for every path:
// an installation names thousands.
HostFolder HostFileSystem::DriveFolder(char letter) {
  HostFolder& drive = drive_folders_[letter];
  if (!drive) {
    const HostFolder drives = HostFolder::OpenNamed(machine_folder_).Child("drives");
    if (drives) drive = drives.Child(DriveFolderName(letter));
  }
  return drive ? drive.Child(".") : HostFolder();
}

// One component at a time from the drive's folder, each opened without
// following a link: the walk is linear in the path and cannot leave the
// machine.
HostFileSystem::Resolution HostFileSystem::ResolveParsed(const WindowsPath& path) {
  const DriveProfile* drive = profile_.FindDrive(path.drive);
  if (!drive || !drive->has_media) return {std::nullopt, FileError::PathNotFound};
  if (TooLong(path)) return {std::nullopt, FileError::InvalidName};
  Resolved resolved;
  resolved.path = path;
  resolved.host = machine_folder_ / "drives" / DriveFolderName(drive->letter);
  resolved.folder = DriveFolder(drive->letter);
  if (!resolved.folder) return {std::nullopt, FileError::PathNotFound};
  resolved.usage = UsageOf(drive->letter);
  resolved.read_only_drive = drive->type == DriveType::CdRom;
  resolved.denied_to_user = DeniedToUser(path);
  resolved.path.components.clear();
  for (std::size_t i = 0; i < path.components.size(); ++i) {
    if (i > 0) {
      if (!resolved.status.exists || (resolved.status.reachable && !resolved.status.is_directory))
        return {std::nullopt, FileError::PathNotFound};
      if (!resolved.status.reachable) return {std::nullopt, FileError::AccessDenied};
      resolved.folder = resolved.folder.Child(resolved.name);
      if (!resolved.folder) return {std::nullopt, FileErrorFromErrno(errno)};
    }
    resolved.name = resolved.folder.FindNoCase(path.components[i]).value_or(path.components[i]);
    resolved.status = resolved.folder.Status(resolved.name);
    resolved.host /= resolved.name;
    resolved.path.components.push_back(resolved.name);
  }
  if (path.IsRoot()) resolved.status = resolved.folder.Status(".");
  if (resolved.status.exists && !resolved.status.reachable) return {std::nullopt, FileError::AccessDenied};
  resolved.exists = resolved.status.exists;
  resolved.is_directory = resolved.status.is_directory;
  return {std::move(resolved), FileError::None};
}

OpenResult HostFileSystem::Open(std::string_view path, OpenMode mode) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return {nullptr, resolution.error};
  return OpenResolved(*resolution.resolved, mode);
}

OpenResult HostFileSystem::OpenResolved(const Resolved& target, OpenMode mode) {
  if (target.is_directory) return {nullptr, FileError::AccessDenied};
  const bool writing = mode != OpenMode::Read;
  const bool creating = mode == OpenMode::CreateAlways || mode == OpenMode::OpenAlways;
  if (!target.exists && !creating) return {nullptr, FileError::NotFound};
  if (writing && (target.Unwritable() || (target.exists && !target.status.writable)))
    return {nullptr, FileError::AccessDenied};
  const std::uint64_t old_size = target.status.size;
  int flags = writing ? O_RDWR : O_RDONLY;
  if (creating) flags |= O_CREAT;
  if (mode == OpenMode::CreateAlways) flags |= O_TRUNC;
  UniqueFd fd(::openat(target.folder.fd(), target.name.c_str(), flags | O_CLOEXEC | O_NOFOLLOW, 0644));
  if (!fd) return {nullptr, FileErrorFromErrno(errno)};
  if (mode == OpenMode::CreateAlways) target.usage->Shrink(old_size);
  const ReadPace pace{&clock_, target.usage->drive().read_kb_per_second};
  return {std::make_unique<HostFile>(std::move(fd), writing ? target.usage : nullptr, pace), FileError::None};
}

std::optional<std::uint32_t> HostFileSystem::Attributes(std::string_view path) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved || !resolution.resolved->exists) return std::nullopt;
  return AttributesOf(resolution.resolved->status, resolution.resolved->read_only_drive);
}

FileError HostFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return resolution.error;
  const Resolved& target = *resolution.resolved;
  if (!target.exists) return FileError::NotFound;
  if (target.Unwritable()) return FileError::AccessDenied;
  // Only the read-only bit has an effect on this machine. The entry was
  // just seen not to be a link, and fchmodat cannot refuse one portably.
  const mode_t mode =
      (attributes & attribute::kReadOnly) ? target.status.mode & ~S_IWUSR : target.status.mode | S_IWUSR;
  return ::fchmodat(target.folder.fd(), target.name.c_str(), mode, 0) == 0 ? FileError::None
                                                                           : FileError::IoError;
}

FileError HostFileSystem::MakeDirectory(std::string_view path) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return resolution.error;
  const Resolved& target = *resolution.resolved;
  if (target.exists) return FileError::AlreadyExists;
  if (target.Unwritable()) return FileError::AccessDenied;
  return ::mkdirat(target.folder.fd(), target.name.c_str(), 0755) == 0 ? FileError::None
                                                                       : FileErrorFromErrno(errno);
}

FileError HostFileSystem::RemoveEmptyDirectory(std::string_view path) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return resolution.error;
  const Resolved& target = *resolution.resolved;
  if (!target.exists) return FileError::NotFound;
  if (!target.is_directory) return FileError::InvalidName;
  if (target.Unwritable() || target.path.IsRoot()) return FileError::AccessDenied;
  // Windows keeps the current directory open: it cannot be removed.
  const auto& here = current_.components;
  const auto& there = target.path.components;
  if (current_.drive == target.path.drive && here.size() >= there.size() &&
      std::equal(there.begin(), there.end(), here.begin(),
                 [](const auto& a, const auto& b) { return EqualsNoCase(a, b); }))
    return FileError::AccessDenied;
  return ::unlinkat(target.folder.fd(), target.name.c_str(), AT_REMOVEDIR) == 0 ? FileError::None
                                                                                : FileErrorFromErrno(errno);
}

FileError HostFileSystem::RemoveFile(std::string_view path) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return resolution.error;
  const Resolved& target = *resolution.resolved;
  if (!target.exists) return FileError::NotFound;
  if (target.is_directory || target.Unwritable() || !target.status.writable) return FileError::AccessDenied;
  if (::unlinkat(target.folder.fd(), target.name.c_str(), 0) != 0) return FileErrorFromErrno(errno);
  target.usage->Shrink(target.status.size);
  return FileError::None;
}

FileError HostFileSystem::Rename(std::string_view from, std::string_view to, bool replace_existing) {
  const Resolution source = Resolve(from);
  if (!source.resolved) return source.error;
  const Resolution target = Resolve(to);
  if (!target.resolved) return target.error;
  const Resolved& a = *source.resolved;
  const Resolved& b = *target.resolved;
  if (!a.exists) return FileError::NotFound;
  if (a.path.drive != b.path.drive) return FileError::AccessDenied;  // no copy across drives
  if (a.Unwritable() || b.denied_to_user) return FileError::AccessDenied;
  if (b.exists && !replace_existing) return FileError::AlreadyExists;
  if (b.exists && (b.is_directory || !b.status.writable)) return FileError::AccessDenied;
  if (::renameat(a.folder.fd(), a.name.c_str(), b.folder.fd(), b.name.c_str()) != 0)
    return FileErrorFromErrno(errno);
  b.usage->Shrink(b.status.size);
  ::fsync(b.folder.fd());
  return FileError::None;
}

FindResult HostFileSystem::Find(std::string_view pattern) {
  const ParsedPath parsed = ParseWindowsPath(pattern, current_, true);
  if (!parsed.path || parsed.path->IsRoot()) return {{}, parsed.path ? FileError::NotFound : parsed.error};
  if (TooLong(*parsed.path)) return {{}, FileError::InvalidName};
  const std::string name_pattern = parsed.path->components.back();
  const Resolution folder = ResolveParsed(parsed.path->Parent());
  if (!folder.resolved) return {{}, folder.error};
  if (!folder.resolved->is_directory) return {{}, FileError::PathNotFound};
  FindResult result;
  if (!folder.resolved->path.IsRoot())
    for (const char* dot : {".", ".."})
      if (MatchesFindPattern(name_pattern, dot)) result.entries.push_back({dot, attribute::kDirectory, 0});
  // "." and ".." come first, as Windows lists them; the rest by name.
  const auto dots = static_cast<std::ptrdiff_t>(result.entries.size());
  const HostFolder listed = folder.resolved->folder.Child(folder.resolved->name);
  for (std::string& name : listed.Names()) {
    if (!MatchesFindPattern(name_pattern, name)) continue;
    const EntryStatus status = listed.Status(name);
    if (!status.reachable) continue;  // links and devices are nowhere to be found
    result.entries.push_back(
        {std::move(name), AttributesOf(status, folder.resolved->read_only_drive), status.size});
  }
  std::sort(result.entries.begin() + dots, result.entries.end(),
            [](const FindEntry& a, const FindEntry& b) { return AsciiLower(a.name) < AsciiLower(b.name); });
  if (result.entries.empty()) result.error = FileError::NotFound;
  return result;
}

FileError HostFileSystem::ChangeDirectory(std::string_view path) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return resolution.error;
  if (!resolution.resolved->exists) return FileError::NotFound;
  if (!resolution.resolved->is_directory) return FileError::InvalidName;
  current_ = resolution.resolved->path;
  return FileError::None;
}

std::string HostFileSystem::CurrentDirectory() { return current_.Text(); }

std::vector<std::string> HostFileSystem::LogicalDrives() {
  std::vector<std::string> roots;
  for (const DriveProfile& drive : profile_.drives) roots.push_back(std::string{drive.letter, ':', '\\'});
  return roots;
}

std::optional<char> HostFileSystem::DriveOfRoot(std::string_view root) const {
  if (root.size() < 2 || root[1] != ':' || (root.size() > 2 && root.substr(2) != "\\")) return std::nullopt;
  const DriveProfile* drive = profile_.FindDrive(root[0]);
  return drive ? std::optional<char>(drive->letter) : std::nullopt;
}

DriveType HostFileSystem::DriveKind(std::string_view root) {
  const auto letter = DriveOfRoot(root);
  return letter ? profile_.FindDrive(*letter)->type : DriveType::NoRootDirectory;
}

std::optional<std::string> HostFileSystem::VolumeLabel(std::string_view root) {
  const auto letter = DriveOfRoot(root);
  if (!letter) return std::nullopt;
  const DriveProfile& drive = *profile_.FindDrive(*letter);
  if (!drive.has_media) return std::nullopt;
  return drive.label;
}

std::optional<DiskSpace> HostFileSystem::FreeSpace(std::string_view root) {
  const auto letter = DriveOfRoot(root);
  if (!letter) return std::nullopt;
  DriveUsage& usage = *UsageOf(*letter);
  const DriveProfile& drive = usage.drive();
  if (!drive.has_media) return std::nullopt;
  usage.Recount();
  DiskSpace space{drive.sectors_per_cluster, drive.bytes_per_sector, usage.FreeBytes(), drive.capacity};
  if (drive.type == DriveType::CdRom) space.free_bytes = 0;
  return space;
}

std::string HostFileSystem::WindowsDirectory() { return profile_.windows_directory; }

std::string HostFileSystem::SystemDirectory() { return profile_.system_directory; }

std::string HostFileSystem::ModulePath() { return module_path_; }

std::optional<fs::path> HostFileSystem::HostPathOf(std::string_view path) {
  const Resolution resolution = Resolve(path);
  if (!resolution.resolved) return std::nullopt;
  return resolution.resolved->host;
}

}  // namespace tvx::host
