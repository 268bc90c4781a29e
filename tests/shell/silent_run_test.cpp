// Silent runs of the sample on a simulated machine: no window and no box
// reaches the machine's interface, the log tells what would have shown, and
// the exit code how the run ended.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "install/uninstall_entry.h"
#include "platform/path_text.h"
#include "shell/application.h"
#include "shell/unattended_run.h"
#include "support/machine_snapshot.h"
#include "support/sample_payload.h"

namespace tvx::testing {
namespace {

constexpr const char* kProgram = "\"D:\\SetupTvx.exe\"";
constexpr const char* kLog = "C:\\silent.log";

// A sample machine after a first start-up, which makes the program's folder
// under Windows; the game on its disc is a Windows program, so the machine
// records its start.
std::unique_ptr<TestMachine> SampleMachine(const std::string& profile_json) {
  TestMachine::Options options;
  options.profile_json = profile_json;
  options.disc = SampleDisc();
  auto machine = std::make_unique<TestMachine>(std::move(options));
  PutSamplePayload(*machine, 30000);
  machine->WriteFile("D:\\Program\\Zephra.exe", std::string("MZ") + std::string(510, '\0'));
  host::RunOptions run;
  run.command_line = kProgram;
  RunApplication(machine->Open(std::move(run))->platform());
  return machine;
}

RunReport RunLine(TestMachine& machine, const std::string& command_line, const std::string& program = {}) {
  host::RunOptions run;
  run.command_line = command_line;
  run.program_path = program;
  run.ui.transcript = machine.folder() / "transcript.log";
  auto process = machine.Open(std::move(run));
  return RunApplication(process->platform());
}

// The uninstall entry's command with the options after its program path.
std::string EntryCommandWith(TestMachine& machine, const std::string& options, std::string& program) {
  RegistryValue value;
  machine.Open()->platform().registry.QueryValue(
      RegistryRoot::LocalMachine, std::string(kUninstallListKey) + "\\Zephra", "UninstallString", value);
  const std::size_t close = value.data.find('"', 1);
  if (value.data.empty() || close == std::string::npos) return {};
  program = value.data.substr(1, close - 1);
  return value.data.substr(0, close + 1) + options + value.data.substr(close + 1);
}

// Kept on purpose by an uninstallation: fonts, the common folder with this
// program, "tvx.ini" with its machine section, a shared library whose count
// went back to 0 (its deletion question defaults to No), the client's
// system libraries; and the log asked for.
bool KeptOnPurpose(const std::string& difference) {
  const std::string lower = AsciiLower(difference);
  if (lower.find("/games/") != std::string::npos || lower.find("/tarvex/nvc") != std::string::npos)
    return false;
  for (const char* kept :
       {"/fonts/", "\\fonts]", "/tarvex/", "zephcore.dll", "svrapi.dll", "secur32.dll", "/silent.log"})
    if (lower.find(kept) != std::string::npos) return true;
  return false;
}

TEST(SilentRunTest, InstallPlayAndUninstallLeaveTheMachineAsItWas) {
  auto machine = SampleMachine(SampleInstallProfile("win2000"));
  const MachineSnapshot before = TakeSnapshot(*machine);
  const std::string options =
      " /SILENT /DIR=\"C:\\Games\\Zephra Gold\" /CONFIG=\"full installation\" /LANG=English /LOG=";
  const RunReport install = RunLine(*machine, kProgram + options + kLog);
  EXPECT_EQ(install.exit_code, unattended_exit::kDone) << install.summary;
  EXPECT_NE(machine->ReadFile("C:\\Games\\Zephra Gold\\Zephra.exe"), "");
  // Nothing is opened for reading: the README offer is not made.
  EXPECT_EQ(machine->ReadFile(kLog).find("Read me"), std::string::npos) << machine->ReadFile(kLog);
  const RunReport play = RunLine(*machine, std::string(kProgram) + " /SILENT -play Zephra");
  EXPECT_EQ(play.exit_code, unattended_exit::kDone) << play.summary;
  EXPECT_NE(machine->Journal().find("Games\\\\Zephra Gold\\\\Zephra.exe"), std::string::npos)
      << machine->Journal();
  std::string program;
  const std::string command = EntryCommandWith(*machine, std::string(" /SILENT /LOG=") + kLog, program);
  ASSERT_NE(command, "");
  const RunReport removed = RunLine(*machine, command, program);
  EXPECT_EQ(removed.exit_code, unattended_exit::kDone) << removed.summary;
  // Nothing went through the machine's own interface: no window, no box.
  EXPECT_EQ(machine->Transcript(), "");
  std::vector<std::string> unexpected;
  for (const std::string& difference : Differences(before, TakeSnapshot(*machine)))
    if (!KeptOnPurpose(difference)) unexpected.push_back(difference);
  EXPECT_TRUE(unexpected.empty()) << ::testing::PrintToString(unexpected);
  const std::string log = machine->ReadFile(kLog);
  EXPECT_NE(log.find("dialog 132 \"Installation Directory\" ended as the options said with 1\r\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("\r\nend: 0 (done)\r\n"), std::string::npos) << log;
}

// Drive C: of the Windows 2000 sample machine with this much room, D: as it is.
std::string Win2000WithRoom(std::uint64_t free_bytes) {
  nlohmann::json profile = nlohmann::json::parse(SampleInstallProfile("win2000"));
  for (auto& drive : profile["drives"])
    if (drive["letter"] == "C") drive["capacity"] = drive["used"].get<std::uint64_t>() + free_bytes;
  return profile.dump();
}

TEST(SilentRunTest, TheExitCodeTellsWhyNothingWasInstalled) {
  struct Row {
    const char* name;
    std::string profile;
    const char* options;
    int code;
    bool rolled_back = false;
  };
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  const Row rows[] = {
      {"no configuration fits", SampleInstallProfile("win98-small-disk"), "", unattended_exit::kNothingFits},
      // The room check trusts the script's sizes; the video on this disc is
      // larger, and the disk fills up during the copy.
      {"the disk fills up", Win2000WithRoom(20 * kMegabyte), "", unattended_exit::kRolledBack, true},
      {"no such configuration", SampleInstallProfile("win2000"), " /CONFIG=9",
       unattended_exit::kConfigurationUnavailable},
      {"no such name", SampleInstallProfile("win2000"), " /CONFIG=\"Deluxe installation\"",
       unattended_exit::kConfigurationUnavailable},
      // The script takes its proposal without asking.
      {"not the proposal", SampleInstallProfile("win2000"), " /CONFIG=2",
       unattended_exit::kConfigurationUnavailable},
      {"no such language", SampleInstallProfile("win2000"), " /LANG=German",
       unattended_exit::kLanguageUnavailable},
      {"a drive root", SampleInstallProfile("win2000"), " /DIR=C:\\", unattended_exit::kDirectoryRefused},
      {"the Windows folder", SampleInstallProfile("win2000"), " /DIR=C:\\WINNT\\Zephra",
       unattended_exit::kDirectoryRefused},
      {"an option without its value", SampleInstallProfile("win2000"), " /DIR=", unattended_exit::kBadOption},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine(row.profile);
    if (row.rolled_back) machine->WriteSizedFile("D:\\Video\\Intro.avi", 40 * kMegabyte);
    const MachineSnapshot before = TakeSnapshot(*machine);
    const RunReport report = RunLine(*machine, kProgram + std::string(" /SILENT /LOG=") + kLog + row.options);
    EXPECT_EQ(report.exit_code, row.code) << report.summary;
    EXPECT_EQ(machine->Transcript(), "");
    std::vector<std::string> unexpected;
    for (const std::string& difference : Differences(before, TakeSnapshot(*machine)))
      if (!KeptOnPurpose(difference)) unexpected.push_back(difference);
    EXPECT_TRUE(unexpected.empty()) << ::testing::PrintToString(unexpected);
    const std::string end =
        "end: " + std::to_string(row.code) + " (" + UnattendedExitName(row.code) + ")\r\n";
    EXPECT_TRUE(machine->ReadFile(kLog).ends_with(end)) << machine->ReadFile(kLog);
  }
}

// A log that cannot be written turns a run that went well into one that
// says so.
TEST(SilentRunTest, ALogThatCannotBeWrittenIsTold) {
  auto machine = SampleMachine(SampleInstallProfile("win2000"));
  const RunReport report =
      RunLine(*machine, std::string(kProgram) + " /SILENT /LOG=C:\\no\\such\\folder.log -http x");
  EXPECT_EQ(report.exit_code, unattended_exit::kLogNotWritten) << report.summary;
}

// DirectX asks for a restart on Windows 98: the run says so and leaves the
// restart to whoever started it.
TEST(SilentRunTest, ARestartIsToldNotDone) {
  nlohmann::json profile = nlohmann::json::parse(SampleInstallProfile("win98"));
  profile["libraries"]["D:\\Dsetup.dll"]["DirectXSetupA"] = 1;
  auto machine = SampleMachine(profile.dump());
  const RunReport report = RunLine(*machine, std::string(kProgram) + " /SILENT");
  EXPECT_EQ(report.exit_code, unattended_exit::kRestartNeeded) << report.summary;
  EXPECT_EQ(machine->Journal().find("restart asked"), std::string::npos) << machine->Journal();
}

// Without SEQUENCE AUTO the configuration is asked for: the option picks it
// in the choice list, which offers only what suits the machine.
TEST(SilentRunTest, TheConfigurationIsChosenWhereTheScriptAsks) {
  struct Row {
    const char* option;
    int code;
    const char* recorded;  // the configuration in "tvx.ini", or null
  };
  const Row rows[] = {
      {" /CONFIG=2", unattended_exit::kDone, "Configuration=2\r\n"},
      {" /CONFIG=\"Minimum installation\"", unattended_exit::kDone, "Configuration=2\r\n"},
      {"", unattended_exit::kDone, "Configuration=1\r\n"},
      // For 3Dfx cards: this machine has none.
      {" /CONFIG=0", unattended_exit::kConfigurationUnavailable, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.option);
    auto machine = SampleMachine(SampleInstallProfile("win2000"));
    std::string script = ReadHostText(SampleDisc() / "InstData" / "tvx.ins");
    script.erase(script.find("[SEQUENCE AUTO]\r\n"), std::string("[SEQUENCE AUTO]\r\n").size());
    machine->WriteFile("D:\\InstData\\tvx.ins", script);
    const RunReport report = RunLine(*machine, kProgram + std::string(" /SILENT /LOG=") + kLog + row.option);
    EXPECT_EQ(report.exit_code, row.code) << report.summary << "\n" << machine->ReadFile(kLog);
    const std::string record = machine->ReadFile("C:\\WINNT\\Tarvex\\tvx.ini");
    if (row.recorded)
      EXPECT_NE(record.find(row.recorded), std::string::npos) << record;
    else
      EXPECT_EQ(record.find("[Zephra]"), std::string::npos) << record;
  }
}

}  // namespace
}  // namespace tvx::testing
