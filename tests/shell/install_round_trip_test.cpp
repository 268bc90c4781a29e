// The sample installed from its disc through the panel, then removed with
// the uninstall entry's own command: the machine is as it was before the
// installation, but for what is kept on purpose.
#include <gtest/gtest.h>

#include "install/uninstall_entry.h"
#include "platform/path_text.h"
#include "shell/front_panel.h"
#include "support/machine_snapshot.h"
#include "support/sample_payload.h"

namespace tvx::testing {
namespace {

constexpr const char* kStartOnly = "dialog 133 press 1\ndialog 102 escape\n";
constexpr const char* kInstall = "dialog 133 press 1\ndialog 102 press 1000\ndialog 102 escape\n";

// A machine of the profile ready for the sample, its disc filled.
std::unique_ptr<TestMachine> MachineFor(const std::string& profile_name) {
  TestMachine::Options options;
  options.profile_json = SampleInstallProfile(profile_name);
  options.disc = SampleDisc();
  options.answers = kStartOnly;
  auto machine = std::make_unique<TestMachine>(std::move(options));
  PutSamplePayload(*machine, 30000);
  return machine;
}

struct ProgramRun {
  std::optional<InstallReport> install;
  std::optional<UninstallResult> uninstall;
};

ProgramRun RunProgram(TestMachine& machine, const std::string& answers, host::RunOptions run = {}) {
  std::string error;
  run.ui.answers = host::AnswerScript::Parse(answers, error);
  run.ui.transcript = machine.folder() / "transcript.log";
  auto process = machine.Open(run);
  Session session(process->platform());
  FrontPanel panel(session, process->platform().system.CommandLine());
  panel.Run();
  return {panel.install(), panel.uninstall()};
}

// The command the entry holds, as the system's list of programs runs it.
std::string EntryCommand(TestMachine& machine) {
  RegistryValue value;
  machine.Open()->platform().registry.QueryValue(
      RegistryRoot::LocalMachine, std::string(kUninstallListKey) + "\\Zephra", "UninstallString", value);
  return value.data;
}

// Kept on purpose: fonts, the common folder with this program and the
// shared strings, "tvx.ini" with its machine section, a shared library
// whose count went back to 0 (its deletion question defaults to No), and
// the online client's system libraries with their counts. The client's own
// folder goes with the last product.
bool KeptOnPurpose(const std::string& difference) {
  const std::string lower = AsciiLower(difference);
  if (lower.find("/tarvex/zephra") != std::string::npos || lower.find("/tarvex/nvc") != std::string::npos)
    return false;
  for (const char* kept : {"/fonts/", "\\fonts]", "/tarvex/", "zephcore.dll", "svrapi.dll", "secur32.dll"})
    if (lower.find(kept) != std::string::npos) return true;
  return false;
}

// The client's files, its folder recorded in "tvx.ini" and its key.
bool ClientInstalled(TestMachine& machine) {
  auto process = machine.Open();
  Platform& platform = process->platform();
  const std::string folder = platform.files.WindowsDirectory() + "\\Tarvex\\NVC\\";
  const std::string record = machine.ReadFile(platform.files.WindowsDirectory() + "\\Tarvex\\tvx.ini");
  const std::size_t section = record.find("[NVC]\r\n");
  RegistryValue version;
  return !machine.ReadFile(folder + "Startup.exe").empty() &&
         !machine.ReadFile(folder + "Client.exe").empty() && section != std::string::npos &&
         record.find("\r\nDirectory=" + folder + "\r\n", section) < record.find("\r\n[", section + 1) &&
         platform.registry.QueryValue(RegistryRoot::LocalMachine, "software\\Tarvex\\NVC", "StartupVersion",
                                      version) == registry_status::kSuccess;
}

TEST(InstallRoundTripTest, InstallThenTheEntrysCommandLeavesTheMachineAsItWas) {
  // The Windows 95 family runs the disc's DirectX setup first.
  const char* const profiles[] = {"win2000", "modern-4tib", "nt40-sp3", "win98", "win95-osr2"};
  for (const char* profile : profiles) {
    SCOPED_TRACE(profile);
    auto machine = MachineFor(profile);
    RunProgram(*machine, kStartOnly);
    const MachineSnapshot before = TakeSnapshot(*machine);
    const ProgramRun installed = RunProgram(*machine, kInstall);
    ASSERT_TRUE(installed.install);
    EXPECT_EQ(installed.install->outcome, InstallOutcome::Installed);
    EXPECT_TRUE(ClientInstalled(*machine)) << "the script's NVC entry installs the client";
    const std::string command = EntryCommand(*machine);
    ASSERT_FALSE(command.empty());
    host::RunOptions run;
    run.command_line = command;
    run.program_path =
        std::string(UpToLastBackslash(command.substr(1, command.find('"', 1) - 1))) + "\\SetupTvx.exe";
    const ProgramRun removed = RunProgram(*machine, "dialog 150 press 1\n", run);
    EXPECT_EQ(removed.uninstall, UninstallResult::Removed);
    std::vector<std::string> unexpected;
    for (const std::string& difference : Differences(before, TakeSnapshot(*machine)))
      if (!KeptOnPurpose(difference)) unexpected.push_back(difference);
    EXPECT_TRUE(unexpected.empty()) << ::testing::PrintToString(unexpected);
  }
}

// Reinstalling the only product removes its copy first, and the client
// with it: the installation puts the client back.
TEST(InstallRoundTripTest, AReinstallKeepsTheOnlineClient) {
  auto machine = MachineFor("win2000");
  ASSERT_EQ(RunProgram(*machine, kInstall).install->outcome, InstallOutcome::Installed);
  ASSERT_TRUE(ClientInstalled(*machine));
  // The recorded language is taken without asking.
  const ProgramRun again = RunProgram(*machine, "dialog 102 press 1000\ndialog 102 escape\n");
  ASSERT_TRUE(again.install);
  EXPECT_EQ(again.install->outcome, InstallOutcome::Installed);
  EXPECT_TRUE(ClientInstalled(*machine));
}

// Another product left the client installed and current for this one: the
// installation leaves it as it is and counts nothing more.
TEST(InstallRoundTripTest, AClientPresentAndCurrentIsLeftAlone) {
  auto machine = MachineFor("win2000");
  const std::string folder = "C:\\WINNT\\Tarvex\\NVC\\";
  machine->WriteFile("C:\\WINNT\\Tarvex\\tvx.ini", "[NVC]\r\nDirectory=" + folder + "\r\n");
  machine->WriteFile(folder + "Startup.exe", "theirs");
  machine->WriteFile(folder + "Zephra\\Notes.txt", "theirs");
  {
    auto process = machine->Open();
    Registry& registry = process->platform().registry;
    registry.CreateKey(RegistryRoot::LocalMachine, "software\\Tarvex\\NVC");
    for (const char* name : {"StartupVersion", "ClientVersion"})
      registry.SetValue(RegistryRoot::LocalMachine, "software\\Tarvex\\NVC", name,
                        RegistryValue::String("1.0"));
    registry.Flush(RegistryRoot::LocalMachine);
  }

  ASSERT_EQ(RunProgram(*machine, kInstall).install->outcome, InstallOutcome::Installed);

  EXPECT_EQ(machine->ReadFile(folder + "Startup.exe"), "theirs");
  EXPECT_TRUE(machine->ReadFile(folder + "Client.exe").empty()) << "nothing copied";
  RegistryValue count;
  EXPECT_NE(machine->Open()->platform().registry.QueryValue(
                RegistryRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\SharedDLLs",
                "C:\\WINNT\\system32\\svrapi.dll", count),
            registry_status::kSuccess)
      << "nothing counted";
}

}  // namespace
}  // namespace tvx::testing
