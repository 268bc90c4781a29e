// Shell services of a simulated machine: documents are journalled, named
// mutexes are lock files that hold across processes, libraries are what
// the profile declares, started programs are journalled and run when they
// are host programs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/host/host_file_system.h"
#include "platform/host/journal.h"
#include "platform/host/machine_faults.h"
#include "platform/host/machine_profile.h"
#include "platform/shell.h"

namespace tvx::host {

class HostShell : public Shell {
 public:
  HostShell(std::filesystem::path machine_folder, const MachineProfile& profile, Journal& journal,
            MachineFaults& faults, HostFileSystem& files)
      : machine_folder_(std::move(machine_folder)),
        profile_(profile),
        journal_(journal),
        faults_(faults),
        files_(files) {}

  std::string SpecialFolderPath(SpecialFolder folder) override;
  bool OpenDocument(std::string_view target) override;
  // A lock file under mutexes/; a name longer than MAX_PATH is refused as
  // Windows refuses it.
  MutexResult CreateNamedMutex(std::string_view name) override;
  // The libraries the profile declares, each function answering its number.
  std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) override;
  // The profile's running programs; the window brought up is journalled.
  bool BringProcessWindowToFront(std::string_view executable_name) override;

  // ---- Starting programs and restarting the system (host_program_start.cpp) ----

  // Journalled as "run <program> in <folder> with <command line>"; a host
  // program (an executable ELF file) also runs, to its end, before this
  // answers. Windows programs ("MZ") are only journalled.
  std::uint32_t StartProgram(std::string_view command_line, int show_state) override;
  // Journalled as "run and wait <program> in <folder> with <command line>";
  // a host program runs to its end and answers its exit status, a Windows
  // program answers the profile's exit code for it (0 when none).
  std::optional<std::int32_t> RunProgramAndWait(std::string_view program, std::string_view argument) override;
  // Journalled as "restart asked"; the machine goes on.
  bool RequestRestart() override;

  // ---- Elevation (host_elevation.cpp) ----------------------------------
  // Journalled as "elevate accepted|refused|failed with <parameters>", the
  // answer the profile's "uac_prompt" gives. An accepted request is only
  // recorded: the process ends, and the host program runs the copy.
  ElevationAnswer RestartElevated(std::string_view parameters) override;
  bool ClaimElevatedRestart() override { return elevated_copy_; }
  // The host program runs the copy itself once this run ends: nothing to
  // wait for here.
  std::optional<std::uint32_t> WaitForElevatedCopy() override { return std::nullopt; }
  // Journalled as "run as desktop user <program> in <folder> with
  // <parameters>"; false when the profile's "desktop_shell" is off.
  bool StartAsDesktopUser(std::string_view program, std::string_view parameters,
                          std::string_view directory) override;
  // This run is the copy an accepted request started.
  void set_elevated_copy(bool copy) { elevated_copy_ = copy; }
  // The command line of the elevated copy asked for and accepted, if any.
  const std::optional<std::string>& elevated_copy_requested() const { return elevated_copy_requested_; }

  // ---- Shell links -----------------------------------------------------
  // A ".lnk" file in the shell link binary format, written through the
  // machine's file system (host_shell_link.cpp).
  bool CreateShellLink(const ShellLink& link) override;
  // ----------------------------------------------------------------------

  // --- Fonts: journalled, "font <path>" and "fontchange". ---
  // A file that exists adds one font; the machine reads no font files.
  int AddFontFile(std::string_view path) override;
  void BroadcastFontChange() override;

 private:
  // A host program run to its end in that folder: its exit status; nullopt
  // when it could not start, spawn_error 0 when its paths are not on the host.
  std::optional<int> RunHostProgram(const std::string& path, std::string_view command_line,
                                    const std::string& directory, int& spawn_error);

  std::filesystem::path machine_folder_;
  const MachineProfile& profile_;
  Journal& journal_;
  MachineFaults& faults_;
  HostFileSystem& files_;
  bool elevated_copy_ = false;
  std::optional<std::string> elevated_copy_requested_;
};

}  // namespace tvx::host
