#include "platform/host/simulated_machine.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/file_services.h"
#include "platform/host/atomic_file.h"
#include "platform/host/regedit4.h"

namespace tvx::host {
namespace fs = std::filesystem;

namespace {

std::optional<MachineProfile> ReadProfile(const fs::path& file, std::string& error) {
  std::string text;
  if (!ReadHostFile(file, text)) {
    error = "cannot read the machine profile " + file.string();
    return std::nullopt;
  }
  auto profile = ParseMachineProfile(text, error);
  if (!profile) error = "machine profile " + file.string() + ": " + error;
  return profile;
}

std::string DefaultProgramPath(const MachineProfile& profile) {
  const DriveProfile* cd = profile.FirstCdRom();
  return std::string{cd ? cd->letter : profile.drives.front().letter} + ":\\SetupTvx.exe";
}

// The program must sit on a drive the machine has, at an absolute path.
bool ValidProgramPath(const std::string& path, const MachineProfile& profile) {
  return path.size() > 3 && path[1] == ':' && path[2] == '\\' && profile.FindDrive(path[0]);
}

std::string CommandLineOf(const RunOptions& options) {
  if (options.command_line) return *options.command_line;
  const std::string program = "\"" + options.program_path + "\"";
  return options.arguments.empty() ? program : program + " " + options.arguments;
}

std::string MakeStandardFolders(SimulatedMachine& machine) {
  FileSystem& files = machine.files();
  std::vector<std::string> folders = {machine.profile().windows_directory,
                                      machine.profile().system_directory};
  for (const auto& [id, path] : machine.profile().special_folders) folders.push_back(path);
  for (const std::string& folder : folders)
    if (!CreateDirectoryChain(files, folder)) return "cannot create " + folder + " on the machine";
  return {};
}

// The files the profile lists, made once with the machine.
std::string MakeProfileFiles(SimulatedMachine& machine) {
  FileSystem& files = machine.files();
  for (const FileProfile& file : machine.profile().files) {
    const std::size_t folder_end = file.path.rfind('\\');
    if (folder_end != std::string::npos && folder_end > 2)
      CreateDirectoryChain(files, file.path.substr(0, folder_end));
    OpenResult opened = files.Open(file.path, OpenMode::CreateAlways);
    if (!opened.file || opened.file->Write(file.text) != FileError::None)
      return "cannot create the profile's file " + file.path + " on the machine";
  }
  return {};
}

RegistryTree InitialRegistry(const MachineProfile& profile) {
  RegistryTree tree;
  // Every Windows keeps the counts of its shared libraries and its list of
  // removable programs here.
  tree.Create(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
  tree.Create(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
  for (const std::string& key : profile.local_machine_keys) tree.Create(RegistryRoot::LocalMachine, key);
  return tree;
}

std::string DriveFolderName(char letter) {
  return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
}

// Host names may hold line breaks; an error stays on one line.
std::string Shown(const fs::path& path) {
  std::string text = path.string();
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  return text;
}

// Copies a folder tree with a stack of its own, whatever its depth. A link
// is refused, not followed: it could lead outside the disc or round in a
// loop; nor is anything but files and folders copied.
std::string CopyTree(const fs::path& source, const fs::path& target) {
  std::vector<fs::path> pending = {fs::path()};
  std::error_code error;
  while (!pending.empty() && !error) {
    const fs::path relative = std::move(pending.back());
    pending.pop_back();
    for (fs::directory_iterator it(source / relative, error), end; !error && it != end; it.increment(error)) {
      const fs::path entry = relative / it->path().filename();
      const fs::file_type type = it->symlink_status(error).type();
      if (type == fs::file_type::symlink) return "the disc holds a symbolic link: " + Shown(source / entry);
      if (type == fs::file_type::directory) {
        fs::create_directory(target / entry, error);
        pending.push_back(entry);
      } else if (type == fs::file_type::regular) {
        fs::copy_file(source / entry, target / entry, error);
      } else if (!error) {
        return "the disc holds what is neither a file nor a folder: " + Shown(source / entry);
      }
    }
  }
  return error ? "cannot copy the disc " + Shown(source) + ": " + error.message() : std::string();
}

std::string CopyDisc(const fs::path& disc, const MachineProfile& profile, const fs::path& folder) {
  const DriveProfile* cd = profile.FirstCdRom();
  if (!cd) return "the profile has no CD-ROM drive for the disc";
  return CopyTree(disc, folder / "drives" / DriveFolderName(cd->letter));
}

// Lays out the machine's files in an empty folder made for it.
std::string PrepareFolder(const fs::path& folder, const fs::path& profile_file,
                          const MachineProfile& profile) {
  std::error_code error;
  for (const DriveProfile& drive : profile.drives)
    fs::create_directories(folder / "drives" / DriveFolderName(drive.letter), error);
  if (!error) fs::copy_file(profile_file, folder / "machine.json", error);
  if (error || !WriteFileAtomically(folder / "registry.reg", WriteRegedit4(InitialRegistry(profile))))
    return "cannot write the machine files";
  return {};
}

std::string BuildMachine(const fs::path& folder, const fs::path& profile_file, const MachineProfile& profile,
                         const std::optional<fs::path>& disc) {
  if (std::string problem = PrepareFolder(folder, profile_file, profile); !problem.empty()) return problem;
  if (disc)
    if (std::string problem = CopyDisc(*disc, profile, folder); !problem.empty()) return problem;
  std::string error;
  RunOptions set_up;
  set_up.elevated = true;  // the folders and files of the machine itself
  auto machine = SimulatedMachine::Open(folder, std::move(set_up), error);
  if (!machine) return error;
  if (std::string problem = MakeStandardFolders(*machine); !problem.empty()) return problem;
  return MakeProfileFiles(*machine);
}

// The machine's own files and its drives' folders are never reached
// through a link: a machine folder from elsewhere could otherwise make a
// run read or write outside it.
std::string LinkAmongOwnFiles(const fs::path& folder, const MachineProfile& profile) {
  std::vector<fs::path> own = {"registry.reg", "journal.log", "transcript.log", "mutexes", "drives"};
  for (const DriveProfile& drive : profile.drives)
    own.push_back(fs::path("drives") / DriveFolderName(drive.letter));
  for (const fs::path& name : own) {
    std::error_code error;
    if (fs::is_symlink(folder / name, error)) return Shown(folder / name) + " is a symbolic link";
  }
  return {};
}

// A place beside the machine folder where the machine is made before it is
// moved into place whole.
std::optional<fs::path> MakeAside(const fs::path& place, std::string& error) {
  std::error_code status;
  fs::create_directories(place.parent_path(), status);
  std::string pattern = (place.parent_path() / ("." + place.filename().string() + ".making-XXXXXX")).string();
  if (status || !::mkdtemp(pattern.data())) {
    error = "cannot create " + Shown(place) + ": " + (status ? status.message() : std::strerror(errno));
    return std::nullopt;
  }
  fs::permissions(pattern,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec,
                  status);
  return fs::path(pattern);
}

}  // namespace

SimulatedMachine::SimulatedMachine(fs::path folder, MachineProfile profile, RunOptions options)
    : folder_(std::move(folder)),
      profile_(std::move(profile)),
      journal_(folder_ / "journal.log", faults_),
      files_(std::make_unique<HostFileSystem>(folder_, profile_, options.program_path, clock_)),
      registry_(std::make_unique<HostRegistry>(folder_ / "registry.reg", profile_)),
      system_(std::make_unique<HostSystem>(profile_, CommandLineOf(options), clock_, *files_)),
      shell_(std::make_unique<HostShell>(folder_, profile_, journal_, faults_, *files_)),
      ui_(std::make_unique<HostUi>(std::move(options.ui), faults_)),
      platform_{*files_, *registry_, *system_, *shell_, *ui_} {
  ui_->SetScreen({profile_.screen.width, profile_.screen.height});
  ui_->SetColourBits(profile_.screen.bits_per_pixel * profile_.screen.planes);
}

bool SimulatedMachine::SetMedia(char letter, bool present) {
  for (DriveProfile& drive : profile_.drives) {
    if (drive.letter != std::toupper(static_cast<unsigned char>(letter))) continue;
    drive.has_media = present;
    return true;
  }
  return false;
}

std::unique_ptr<SimulatedMachine> SimulatedMachine::Open(const fs::path& folder, RunOptions options,
                                                         std::string& error) {
  std::error_code status;
  if (fs::is_symlink(folder / "machine.json", status)) {
    error = Shown(folder / "machine.json") + " is a symbolic link";
    return nullptr;
  }
  if (!fs::is_regular_file(folder / "machine.json", status)) {
    error = folder.string() + " is not a machine folder: it has no machine.json";
    return nullptr;
  }
  auto profile = ReadProfile(folder / "machine.json", error);
  if (!profile) return nullptr;
  error = LinkAmongOwnFiles(folder, *profile);
  if (!error.empty()) return nullptr;
  if (options.program_path.empty()) options.program_path = DefaultProgramPath(*profile);
  if (!ValidProgramPath(options.program_path, *profile)) {
    error = "the program path " + options.program_path + " is not on a drive of this machine";
    return nullptr;
  }
  if (options.elevated && HasUserAccountControl(*profile)) profile->uac.token = TokenProfile::Elevated;
  const bool elevated = options.elevated;
  std::unique_ptr<SimulatedMachine> machine(
      new SimulatedMachine(folder, std::move(*profile), std::move(options)));
  machine->shell_->set_elevated_copy(elevated);
  if (!machine->registry_->loaded()) {
    error = Shown(machine->registry_->problem());
    return nullptr;
  }
  return machine;
}

std::string CreateMachine(const fs::path& folder, const fs::path& profile_file,
                          const std::optional<fs::path>& disc) {
  std::string error;
  const auto profile = ReadProfile(profile_file, error);
  if (!profile) return error;
  if (disc && !fs::is_directory(*disc)) return "the disc folder " + disc->string() + " does not exist";
  std::error_code status;
  if (fs::exists(folder, status) && !fs::is_empty(folder, status))
    return "the machine folder " + folder.string() + " exists and is not empty";
  fs::path place = fs::weakly_canonical(fs::absolute(folder, status), status);
  if (!place.has_filename()) place = place.parent_path();
  // Made aside and moved into place whole: a failure halfway leaves nothing.
  const auto aside = MakeAside(place, error);
  if (!aside) return error;
  error = BuildMachine(*aside, profile_file, *profile, disc);
  if (error.empty()) {
    fs::rename(*aside, place, status);
    if (status) error = "cannot create " + Shown(place) + ": " + status.message();
  }
  if (!error.empty()) fs::remove_all(*aside, status);
  return error;
}

}  // namespace tvx::host
