// The setuptvx program as a user runs it: one clear line for bad input,
// nothing changed, and the single-instance rule across real processes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

struct ProcessRun {
  int status;
  std::string output;
};

ProcessRun RunSetupTvx(const std::string& arguments) {
  const std::string command = std::string(TVX_SETUPTVX) + " " + arguments + " 2>&1";
  ProcessRun run{0, ""};
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, count);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

TEST(SetupTvxCliTest, BadInputGivesOneLineAndChangesNothing) {
  TemporaryFolder folder;
  WriteHostText(folder.path() / "broken.json", "{ \"os\": [");
  fs::create_directories(folder.path() / "empty");
  TestMachine machine;
  const std::string registry_before = ReadHostText(machine.folder() / "registry.reg");
  struct Row {
    const char* name;
    std::string arguments;
    const char* said;
  };
  const Row rows[] = {
      {"malformed profile",
       "--new-machine " + Quoted(folder.path() / "m") + " --profile " + Quoted(folder.path() / "broken.json"),
       "not valid JSON"},
      {"missing profile",
       "--new-machine " + Quoted(folder.path() / "m") + " --profile " + Quoted(folder.path() / "none.json"),
       "none.json"},
      {"not a machine", "--machine " + Quoted(folder.path() / "empty"), "not a machine folder"},
      {"program on a missing drive",
       "--machine " + Quoted(machine.folder()) + " --program 'Q:\\SetupTvx.exe'", "not on a drive"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProcessRun run = RunSetupTvx(row.arguments);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find(row.said), std::string::npos) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  }
  EXPECT_FALSE(fs::exists(folder.path() / "m"));
  EXPECT_TRUE(fs::is_empty(folder.path() / "empty"));
  EXPECT_EQ(ReadHostText(machine.folder() / "registry.reg"), registry_before);
  EXPECT_EQ(machine.Transcript(), "");
}

TEST(SetupTvxCliTest, AnAnswerScriptThatIsNotFollowedFailsTheRun) {
  TestMachine::Options options;
  options.profile_file = ExampleProfile("nt351");
  TestMachine machine(options);
  WriteHostText(machine.folder() / "answers.txt", "box IDOK text~\"does not support\"\nbox IDOK\n");
  const ProcessRun run = RunSetupTvx("--machine " + Quoted(machine.folder()) + " --answers " +
                                     Quoted(machine.folder() / "answers.txt"));
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_NE(run.output.find("Windows 3 . 51; start-up: unsupported system"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("1 answer(s) left unused"), std::string::npos) << run.output;
}

TEST(SetupTvxCliTest, ASecondProcessFindsTheFirstOneRunning) {
  TestMachine machine;
  MutexResult held = machine.platform().shell.CreateNamedMutex("SetupTvx.exe");
  ASSERT_FALSE(held.already_existed);
  const ProcessRun second = RunSetupTvx("--machine " + Quoted(machine.folder()));
  EXPECT_EQ(second.status, 0);
  EXPECT_NE(second.output.find("start-up: already running"), std::string::npos) << second.output;
  held.handle.reset();
  const ProcessRun alone = RunSetupTvx("--machine " + Quoted(machine.folder()) + " -- -play Zephra");
  EXPECT_NE(alone.output.find("mode play for \"Zephra\"; Windows 4 . 10; start-up: script not loaded"),
            std::string::npos)
      << alone.output;
}

// Pins a fault: a product name holding "-play" turned the uninstall entry's
// command into a play run, and the summary still said "mode uninstall".
TEST(SetupTvxCliTest, TheSummaryNamesTheModeTheFirstSwitchChose) {
  TestMachine machine;
  const std::string line = "\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\" -uninstall Multi-player Zephra";
  const ProcessRun run =
      RunSetupTvx("--machine " + Quoted(machine.folder()) + " --command-line " + Quoted(line));
  EXPECT_NE(run.output.find("mode uninstall for \"Multi-player Zephra\""), std::string::npos) << run.output;
}

}  // namespace
}  // namespace tvx::testing

namespace tvx::testing {
namespace {

TEST(SetupTvxCliTest, ADiscHoldingALinkIsBadInputAndMakesNothing) {
  TemporaryFolder folder;
  fs::create_directories(folder.path() / "disc");
  fs::create_symlink("/etc/passwd", folder.path() / "disc" / "passwd");
  WriteHostText(folder.path() / "profile.json", DefaultProfileJson());
  const ProcessRun run =
      RunSetupTvx("--new-machine " + Quoted(folder.path() / "m") + " --profile " +
                  Quoted(folder.path() / "profile.json") + " --disc " + Quoted(folder.path() / "disc"));
  EXPECT_EQ(run.status, 2) << run.output;
  EXPECT_NE(run.output.find("symbolic link"), std::string::npos) << run.output;
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  EXPECT_FALSE(fs::exists(folder.path() / "m"));
}

}  // namespace
}  // namespace tvx::testing
