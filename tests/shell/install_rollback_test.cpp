// A full disk at every chunk of the sample's installation in turn, and the
// other ways an installation stops: each time the machine is as it was
// before Install was pressed, but for what is kept on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "install/item_copy.h"
#include "install/scripted_file_system.h"
#include "platform/path_text.h"
#include "shell/front_panel.h"
#include "support/fixtures.h"
#include "support/machine_snapshot.h"
#include "support/sample_payload.h"

namespace tvx::testing {
namespace {

constexpr const char* kStartOnly = "dialog 133 press 1\ndialog 102 escape\n";
constexpr const char* kInstallThenQuit = "dialog 133 press 1\ndialog 102 press 1000\ndialog 102 escape\n";
constexpr const char* kInstallDirectory = "C:\\Tarvex\\Zephra\\";
// Two chunks at most per file keeps every injection point in reach.
constexpr std::uintmax_t kPayloadBytes = kCopyChunkBytes + 1000;

std::unique_ptr<TestMachine> Win2000Machine() {
  TestMachine::Options options;
  options.profile_json = SampleInstallProfile("win2000");
  options.disc = SampleDisc();
  options.answers = kStartOnly;
  auto machine = std::make_unique<TestMachine>(std::move(options));
  PutSamplePayload(*machine, kPayloadBytes);
  return machine;
}

void RunInstall(TestMachine& machine) {
  host::RunOptions run;
  std::string error;
  run.ui.answers = host::AnswerScript::Parse(kInstallThenQuit, error);
  auto process = machine.Open(std::move(run));
  Session session(process->platform());
  FrontPanel(session, "").Run();
}

struct Injection {
  std::string destination;
  int chunk = 1;
};

// Every file the installation writes, from one that ran to its end on a
// fresh machine, and each chunk of it.
std::vector<Injection> InjectionPoints() {
  auto machine = Win2000Machine();
  const MachineSnapshot before = TakeSnapshot(*machine);
  RunInstall(*machine);
  std::vector<Injection> points;
  for (const auto& [relative, bytes] : TakeSnapshot(*machine).files) {
    if (before.files.contains(relative) || bytes == "<folder>") continue;
    const std::string lower = AsciiLower(relative);
    if (!lower.starts_with("drives/c/tarvex/zephra/") && !lower.starts_with("drives/c/winnt/system32/"))
      continue;
    // The online client's system libraries: one that cannot be copied is
    // left uncounted and the installation goes on.
    if (lower.ends_with("/svrapi.dll") || lower.ends_with("/secur32.dll")) continue;
    std::string path = "C:" + relative.substr(std::string("drives/c").size());
    std::replace(path.begin(), path.end(), '/', '\\');
    const int chunks = static_cast<int>((bytes.size() + kCopyChunkBytes - 1) / kCopyChunkBytes);
    for (int chunk = 1; chunk <= chunks; ++chunk) points.push_back({path, chunk});
  }
  return points;
}

std::optional<InstallReport> RunWithFullDisk(TestMachine& machine, const Injection& at) {
  host::RunOptions run;
  std::string error;
  run.ui.answers = host::AnswerScript::Parse(kInstallThenQuit, error);
  run.ui.transcript = machine.folder() / "transcript.log";
  auto process = machine.Open(std::move(run));
  Platform& own = process->platform();
  ScriptedFileSystem files(own.files);
  files.Plan(at.destination, {FileFault::Kind::WriteError, at.chunk, FileError::DiskFull});
  Platform platform{files, own.registry, own.system, own.shell, own.ui};
  Session session(platform);
  FrontPanel panel(session, "");
  panel.Run();
  return panel.install();
}

// What an undone installation leaves on purpose: fonts stay installed and
// registered, and the system folder keeps a library copied whole whose
// count went back to 0, as the question about deleting it defaults to No.
bool KeptOnPurpose(const std::string& difference) {
  const std::string lower = AsciiLower(difference);
  return lower.find("/fonts/") != std::string::npos || lower.find("\\fonts]") != std::string::npos ||
         lower.find("zephcore.dll") != std::string::npos;
}

TEST(InstallRollbackTest, AFullDiskAtAnyChunkLeavesTheMachineAsItWas) {
  const std::vector<Injection> points = InjectionPoints();
  ASSERT_GT(points.size(), 10u);
  int passed = 0;
  for (const Injection& at : points) {
    SCOPED_TRACE(at.destination + " chunk " + std::to_string(at.chunk));
    auto machine = Win2000Machine();
    {
      Session session(machine->platform());
      FrontPanel(session, "").Run();
    }
    const MachineSnapshot before = TakeSnapshot(*machine);
    const std::optional<InstallReport> report = RunWithFullDisk(*machine, at);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->outcome, InstallOutcome::RolledBack);
    EXPECT_TRUE(report->copy.disk_full_reported);
    std::vector<std::string> unexpected;
    for (const std::string& difference : Differences(before, TakeSnapshot(*machine))) {
      if (!KeptOnPurpose(difference)) unexpected.push_back(difference);
    }
    EXPECT_TRUE(unexpected.empty()) << ::testing::PrintToString(unexpected);
    const std::string library = machine->ReadFile("C:\\WINNT\\system32\\Zephcore.dll");
    EXPECT_TRUE(library.empty() || library == ReadFixture("pe_version/ir50_32-5.6.2.15.dll"))
        << "a library in the system folder is whole or absent";
    const bool clean = report->outcome == InstallOutcome::RolledBack && report->copy.disk_full_reported &&
                       unexpected.empty();
    if (clean) ++passed;
  }
  std::cout << "full disk injected at " << points.size() << " chunks, " << passed << " rolled back cleanly\n";
}

// The sample's script with a licence and without SEQUENCE AUTO, so that
// the licence and the configuration choice show too.
void ShowEveryDialog(TestMachine& machine) {
  std::string script = machine.ReadFile("D:\\InstData\\tvx.ins");
  const auto erase = [&script](std::string_view text) {
    const std::size_t at = script.find(text);
    ASSERT_NE(at, std::string::npos) << text;
    script.erase(at, text.size());
  };
  erase("[SEQUENCE AUTO]\r\n");
  script.insert(script.find("zephra.eng,Readme.txt") + std::string("zephra.eng,Readme.txt").size(),
                ",License.txt");
  machine.WriteFile("D:\\InstData\\tvx.ins", script);
  std::filesystem::remove(machine.HostPath("D:\\InstData\\Tvxins.dat"));
  machine.WriteFile("D:\\License.txt", "You may play the game.\r\n");
}

std::string ProfileWithLibrary(const std::string& replace, const std::string& with) {
  std::string profile = SampleInstallProfile("win2000");
  const std::size_t at = profile.find(replace);
  if (at != std::string::npos) profile.replace(at, replace.size(), with);
  return profile;
}

struct Stop {
  const char* label;
  std::string profile;
  const char* answers;
  InstallOutcome outcome;
};

TEST(InstallRollbackTest, EveryOtherWayAnInstallationStopsLeavesTheMachineAsItWas) {
  const std::string sample = SampleInstallProfile("win2000");
  const char* accepted = "dialog 175 press 1\ndialog 142 press 1000\n";
  const std::vector<Stop> stops = {
      {"the library's function answers 0", ProfileWithLibrary("\"ConfigureFull\": 1", "\"ConfigureFull\": 0"),
       accepted, InstallOutcome::RolledBack},
      {"the library cannot be loaded", ProfileWithLibrary("Zephset.dll", "Elsewhere.dll"), accepted,
       InstallOutcome::RolledBack},
      {"the licence declined", sample, "dialog 175 press 2\n", InstallOutcome::NotStarted},
      {"the configuration choice cancelled", sample, "dialog 175 press 1\ndialog 142 press 2\n",
       InstallOutcome::NotStarted},
      {"the directory dialog cancelled", sample,
       "dialog 175 press 1\ndialog 142 press 1000\ndialog 132 press 2\n", InstallOutcome::NotStarted},
  };
  for (const Stop& stop : stops) {
    SCOPED_TRACE(stop.label);
    TestMachine::Options options;
    options.profile_json = stop.profile;
    options.disc = SampleDisc();
    options.answers = kStartOnly;
    TestMachine machine(std::move(options));
    PutSamplePayload(machine, kPayloadBytes);
    ShowEveryDialog(machine);
    {
      Session session(machine.platform());
      FrontPanel(session, "").Run();
    }
    const MachineSnapshot before = TakeSnapshot(machine);
    host::RunOptions run;
    std::string error;
    run.ui.answers = host::AnswerScript::Parse(
        std::string("dialog 133 press 1\ndialog 102 press 1000\n") + stop.answers + "dialog 102 escape\n",
        error);
    auto process = machine.Open(std::move(run));
    Session session(process->platform());
    FrontPanel panel(session, "");
    panel.Run();
    ASSERT_TRUE(panel.install());
    EXPECT_EQ(panel.install()->outcome, stop.outcome);
    std::vector<std::string> unexpected;
    for (const std::string& difference : Differences(before, TakeSnapshot(machine))) {
      if (!KeptOnPurpose(difference)) unexpected.push_back(difference);
    }
    EXPECT_TRUE(unexpected.empty()) << ::testing::PrintToString(unexpected);
  }
}

}  // namespace
}  // namespace tvx::testing
