// A Windows machine simulated in a folder: machine.json, registry.reg,
// drives/<letter>/, journal.log. Opening one builds the whole platform.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/host/host_file_system.h"
#include "platform/host/host_registry.h"
#include "platform/host/host_shell.h"
#include "platform/host/host_system.h"
#include "platform/host/host_ui.h"
#include "platform/host/journal.h"
#include "platform/host/machine_faults.h"
#include "platform/platform.h"

namespace tvx::host {

struct RunOptions {
  std::string program_path;  // where the program lives on the machine; empty: first CD-ROM's root
  std::optional<std::string> command_line;  // verbatim; default: quoted path + arguments
  std::string arguments;                    // what follows the program path
  HostUi::Options ui;
  // The process runs with an elevated token: the copy that an accepted
  // elevation request started (or the machine's own set-up).
  bool elevated = false;
};

class SimulatedMachine {
 public:
  // Opens a machine folder; on failure answers null with one line in error.
  static std::unique_ptr<SimulatedMachine> Open(const std::filesystem::path& folder, RunOptions options,
                                                std::string& error);
  SimulatedMachine(const SimulatedMachine&) = delete;
  SimulatedMachine& operator=(const SimulatedMachine&) = delete;

  Platform& platform() { return platform_; }
  HostFileSystem& files() { return *files_; }
  HostUi& ui() { return *ui_; }
  HostShell& shell() { return *shell_; }
  Journal& journal() { return journal_; }
  // What the machine itself could not do during the run.
  const MachineFaults& faults() const { return faults_; }
  MachineFaults& faults() { return faults_; }
  const MachineProfile& profile() const { return profile_; }
  // A disc put into or taken out of a drive while the program runs; false
  // when the machine has no such drive.
  bool SetMedia(char letter, bool present);
  const std::filesystem::path& folder() const { return folder_; }

 private:
  SimulatedMachine(std::filesystem::path folder, MachineProfile profile, RunOptions options);

  std::filesystem::path folder_;
  MachineProfile profile_;
  MachineFaults faults_;
  Journal journal_;
  SimulatedClock clock_;
  std::unique_ptr<HostFileSystem> files_;
  std::unique_ptr<HostRegistry> registry_;
  std::unique_ptr<HostSystem> system_;
  std::unique_ptr<HostShell> shell_;
  std::unique_ptr<HostUi> ui_;
  Platform platform_;
};

// Makes a fresh machine from a profile; a disc folder, when given, becomes
// the contents of the first CD-ROM drive. Answers an error line, or empty.
std::string CreateMachine(const std::filesystem::path& folder, const std::filesystem::path& profile_file,
                          const std::optional<std::filesystem::path>& disc = std::nullopt);

}  // namespace tvx::host
