// A full disk at every chunk of the sample's installation in turn: each
// time the installation is rolled back and the machine is as it was before
// Install was pressed, but for what is kept on purpose.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
}  // namespace tvx::testing
