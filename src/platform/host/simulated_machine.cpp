#include "platform/host/simulated_machine.h"

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
  for (const std::string& key : profile.local_machine_keys) tree.Create(RegistryRoot::LocalMachine, key);
  return tree;
}

std::string CopyDisc(const fs::path& disc, const MachineProfile& profile, const fs::path& folder) {
  const DriveProfile* cd = profile.FirstCdRom();
  if (!cd) return "the profile has no CD-ROM drive for the disc";
  std::error_code error;
  const fs::path target = folder / "drives" / std::string(1, static_cast<char>(std::tolower(cd->letter)));
  fs::copy(disc, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  return error ? "cannot copy the disc " + disc.string() + ": " + error.message() : std::string();
}

std::string PrepareFolder(const fs::path& folder, const fs::path& profile_file,
                          const MachineProfile& profile) {
  std::error_code error;
  if (fs::exists(folder, error) && !fs::is_empty(folder, error))
    return "the machine folder " + folder.string() + " exists and is not empty";
  fs::create_directories(folder, error);
  for (const DriveProfile& drive : profile.drives)
    fs::create_directories(folder / "drives" / std::string(1, static_cast<char>(std::tolower(drive.letter))),
                           error);
  if (error) return "cannot create " + folder.string() + ": " + error.message();
  fs::copy_file(profile_file, folder / "machine.json", error);
  if (error || !WriteFileAtomically(folder / "registry.reg", WriteRegedit4(InitialRegistry(profile))))
    return "cannot write the machine files in " + folder.string();
  return {};
}

}  // namespace

SimulatedMachine::SimulatedMachine(fs::path folder, MachineProfile profile, RunOptions options)
    : folder_(std::move(folder)),
      profile_(std::move(profile)),
      journal_(folder_ / "journal.log"),
      files_(std::make_unique<HostFileSystem>(folder_, profile_, options.program_path, clock_)),
      registry_(std::make_unique<HostRegistry>(folder_ / "registry.reg", profile_)),
      system_(std::make_unique<HostSystem>(profile_, CommandLineOf(options), clock_, *files_)),
      shell_(std::make_unique<HostShell>(folder_, profile_, journal_)),
      ui_(std::make_unique<HostUi>(std::move(options.ui))),
      platform_{*files_, *registry_, *system_, *shell_, *ui_} {
  ui_->SetScreen({profile_.screen.width, profile_.screen.height});
}

std::unique_ptr<SimulatedMachine> SimulatedMachine::Open(const fs::path& folder, RunOptions options,
                                                         std::string& error) {
  std::error_code status;
  if (!fs::is_regular_file(folder / "machine.json", status)) {
    error = folder.string() + " is not a machine folder: it has no machine.json";
    return nullptr;
  }
  auto profile = ReadProfile(folder / "machine.json", error);
  if (!profile) return nullptr;
  if (options.program_path.empty()) options.program_path = DefaultProgramPath(*profile);
  if (!ValidProgramPath(options.program_path, *profile)) {
    error = "the program path " + options.program_path + " is not on a drive of this machine";
    return nullptr;
  }
  std::unique_ptr<SimulatedMachine> machine(
      new SimulatedMachine(folder, std::move(*profile), std::move(options)));
  if (!machine->registry_->loaded()) {
    error = (folder / "registry.reg").string() + " is not a REGEDIT4 file";
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
  if (std::string problem = PrepareFolder(folder, profile_file, *profile); !problem.empty()) return problem;
  if (disc)
    if (std::string problem = CopyDisc(*disc, *profile, folder); !problem.empty()) return problem;
  auto machine = SimulatedMachine::Open(folder, RunOptions{}, error);
  if (!machine) return error;
  if (std::string problem = MakeStandardFolders(*machine); !problem.empty()) return problem;
  return MakeProfileFiles(*machine);
}

}  // namespace tvx::host
