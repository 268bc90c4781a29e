// The setuptvx program as a user runs it: one clear line for bad input,
// nothing changed, what the machine could not do told apart, and the
// single-instance rule across real processes.
#include <gtest/gtest.h>

#include <map>

#include "support/program_run.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

ProgramRun RunSetupTvx(const std::string& arguments) { return RunProgram(TVX_SETUPTVX, arguments); }

// Pins faults: unknown and repeated options ended with the parser's codes
// (109, 114) and two lines; an answer script naming a folder ran as an
// empty one.
TEST(SetupTvxCliTest, BadInputGivesOneLineExitTwoAndChangesNothing) {
  TemporaryFolder folder;
  const fs::path& here = folder.path();
  WriteHostText(here / "broken.json", "{ \"os\": [");
  WriteHostText(here / "profile.json", DefaultProfileJson());
  WriteHostText(here / "far-programs.json",
                PatchedProfile(R"({"special_folders": {"programs": "Q:\\Programs"}})"));
  WriteHostText(here / "answers.txt", "box IDMAYBE\n");
  fs::create_directories(here / "taken");
  WriteHostText(here / "taken" / "file", "x");
  fs::create_directories(here / "empty");
  fs::create_directories(here / "disc");
  fs::create_symlink("/etc/passwd", here / "disc" / "passwd");
  TestMachine machine;
  TestMachine users_key;
  WriteHostText(users_key.folder() / "registry.reg", "REGEDIT4\n\n[HKEY_USERS\\.DEFAULT]\n");
  const std::string on_machine = "--machine " + Quoted(machine.folder()) + " ";
  const std::string make = "--new-machine " + Quoted(here / "m") + " ";
  struct Row {
    const char* name;
    std::string arguments;
    const char* said;
  };
  const Row rows[] = {
      {"nothing to do", "", "give --machine"},
      {"malformed profile", make + "--profile " + Quoted(here / "broken.json"), "not valid JSON"},
      {"missing profile", make + "--profile " + Quoted(here / "none.json"), "none.json"},
      {"no profile", make, "needs --profile"},
      {"missing disc",
       make + "--profile " + Quoted(here / "profile.json") + " --disc " + Quoted(here / "none"),
       "does not exist"},
      {"a disc holding a link",
       make + "--profile " + Quoted(here / "profile.json") + " --disc " + Quoted(here / "disc"),
       "symbolic link"},
      {"a special folder on a missing drive", make + "--profile " + Quoted(here / "far-programs.json"),
       "cannot create Q:\\Programs"},
      {"a machine folder already used",
       "--new-machine " + Quoted(here / "taken") + " --profile " + Quoted(here / "profile.json"),
       "exists and is not empty"},
      {"making and running at once", make + on_machine, "excludes"},
      {"a profile without making", on_machine + "--profile " + Quoted(here / "profile.json"), "requires"},
      {"not a machine", "--machine " + Quoted(here / "empty"), "not a machine folder"},
      {"a registry line the machine cannot keep", "--machine " + Quoted(users_key.folder()),
       "registry.reg line 3"},
      {"program on a missing drive", on_machine + "--program 'Q:\\SetupTvx.exe'", "not on a drive"},
      {"an unknown option", on_machine + "--bogus", "--bogus"},
      {"an option twice", on_machine + on_machine, "--machine is given more than once"},
      {"a flag twice", on_machine + "--quiet --quiet", "--quiet is given more than once"},
      {"a flag with a value", on_machine + "--quiet=2", "quiet"},
      {"an option without its value", "--machine", "--machine"},
      {"answers naming a folder", on_machine + "--answers " + Quoted(here / "empty"),
       "cannot read the answer script"},
      {"answers not in the answer syntax", on_machine + "--answers " + Quoted(here / "answers.txt"),
       "answers.txt:"},
  };
  const auto before = FolderContents(here);
  const auto machine_before = FolderContents(machine.folder());
  const auto users_key_before = FolderContents(users_key.folder());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramRun run = RunSetupTvx(row.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.ErrLines(), 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("setuptvx: ")) << run.err;
    EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(FolderContents(here), before);
  EXPECT_EQ(FolderContents(machine.folder()), machine_before);
  EXPECT_EQ(FolderContents(users_key.folder()), users_key_before);
}

TEST(SetupTvxCliTest, HelpIsNoError) {
  const ProgramRun run = RunSetupTvx("--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--new-machine"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "");
}

// Pins faults: a transcript or a picture that could not be written, and a
// mutex's lock file that could not be made, were lost without a word (the
// picture as an answer-script error, the mutex as "product running").
TEST(SetupTvxCliTest, WhatTheMachineCouldNotDoIsToldApartWithExitFour) {
  struct Row {
    const char* name;
    std::function<void(TestMachine&)> spoil;
    std::string arguments;
    const char* said;
    const char* summary;
  };
  TemporaryFolder folder;
  const std::string nowhere = Quoted(folder.path() / "no such folder" / "x");
  const Row rows[] = {
      {"no folder for the mutexes", [](TestMachine& m) { WriteHostText(m.folder() / "mutexes", ""); }, "",
       "cannot make the mutex lock file", "start-up: mutex not created"},
      {"the panel's picture", [](TestMachine&) {}, "--panel-png " + nowhere, "cannot write",
       "start-up: continue"},
      {"the transcript", [](TestMachine&) {}, "--transcript " + nowhere, "cannot write the transcript",
       "start-up: continue"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestMachine::Options options;
    options.profile_file = ExampleProfile("win98");
    options.disc = SampleDisc();
    TestMachine machine(options);
    row.spoil(machine);
    const ProgramRun run = RunSetupTvx("--quiet --machine " + Quoted(machine.folder()) + " " + row.arguments);
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.ErrLines(), 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("setuptvx: machine: ")) << run.err;
    EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
    EXPECT_NE(run.out.find(row.summary), std::string::npos) << run.out;
  }
}

// Pins a fault: an answer script given through a pipe (a shell's process
// substitution, as tools/run-sample gives it) was refused as unreadable.
TEST(SetupTvxCliTest, AnAnswerScriptMayComeThroughAPipe) {
  TestMachine::Options options;
  options.profile_file = ExampleProfile("win98");
  options.disc = SampleDisc();
  TestMachine machine(options);
  const std::string command = std::string("\"") + TVX_SETUPTVX + "\" --quiet --machine " +
                              Quoted(machine.folder()) +
                              " --answers <(printf 'dialog 133 press 1\\ndialog 102 press 2\\n')";
  const ProgramRun run = RunProgram("bash -c " + Quoted(command), "");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("start-up: continue"), std::string::npos) << run.out;
}

TEST(SetupTvxCliTest, AnAnswerScriptThatIsNotFollowedFailsTheRun) {
  TestMachine::Options options;
  options.profile_file = ExampleProfile("nt351");
  TestMachine machine(options);
  WriteHostText(machine.folder() / "answers.txt", "box IDOK text~\"does not support\"\nbox IDOK\n");
  const ProgramRun run = RunSetupTvx("--machine " + Quoted(machine.folder()) + " --answers " +
                                     Quoted(machine.folder() / "answers.txt"));
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.out.find("Windows 3 . 51; start-up: unsupported system"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "setuptvx: answer script: 1 answer(s) left unused\n");
}

TEST(SetupTvxCliTest, ASecondProcessFindsTheFirstOneRunning) {
  TestMachine machine;
  MutexResult held = machine.platform().shell.CreateNamedMutex("SetupTvx.exe");
  ASSERT_FALSE(held.already_existed);
  const ProgramRun second = RunSetupTvx("--machine " + Quoted(machine.folder()));
  EXPECT_EQ(second.status, 0);
  EXPECT_NE(second.out.find("start-up: already running"), std::string::npos) << second.out;
  held.handle.reset();
  const ProgramRun alone = RunSetupTvx("--machine " + Quoted(machine.folder()) + " -- -play Zephra");
  EXPECT_NE(alone.out.find("mode play for \"Zephra\"; Windows 4 . 10; start-up: script not loaded"),
            std::string::npos)
      << alone.out;
}

// Pins a fault: a product name holding "-play" turned the uninstall entry's
// command into a play run, and the summary still said "mode uninstall".
TEST(SetupTvxCliTest, TheSummaryNamesTheModeTheFirstSwitchChose) {
  TestMachine machine;
  const std::string line = "\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\" -uninstall Multi-player Zephra";
  const ProgramRun run =
      RunSetupTvx("--machine " + Quoted(machine.folder()) + " --command-line " + Quoted(line));
  EXPECT_NE(run.out.find("mode uninstall for \"Multi-player Zephra\""), std::string::npos) << run.out;
}

// One invocation is what the user sees: one prompt, then the elevated
// copy, given the whole command line (a silent run's options too), which
// ends as an administrator's run without user account control does.
TEST(SetupTvxCliTest, AnAcceptedElevationRunsTheElevatedCopyNext) {
  for (const std::string arguments : {"", "-- /SILENT"}) {
    SCOPED_TRACE(arguments);
    std::map<std::string, ProgramRun> runs;
    for (const char* profile : {"modern-4tib", "modern-4tib-limited"}) {
      TestMachine::Options options;
      options.profile_file = ExampleProfile(profile);
      options.disc = SampleDisc();
      TestMachine machine(options);
      runs[profile] = RunSetupTvx("--machine " + Quoted(machine.folder()) + " --quiet " + arguments);
      if (std::string(profile) == "modern-4tib-limited") {
        EXPECT_EQ(machine.Journal().substr(0, machine.Journal().find('\n')),
                  "elevate accepted with " + arguments.substr(arguments.empty() ? 0 : 3));
      }
    }
    const ProgramRun& administrator = runs["modern-4tib"];
    const ProgramRun& limited = runs["modern-4tib-limited"];
    EXPECT_EQ(limited.status, administrator.status) << limited.err;
    std::string expected = administrator.out;
    expected.insert(expected.find("start-up: "), "elevation: already elevated; ");
    const std::string handed = "elevation: asked, accepted; start-up: restarted elevated";
    ASSERT_NE(limited.out.find(handed), std::string::npos) << limited.out;
    EXPECT_EQ(limited.out.substr(limited.out.find('\n') + 1), expected);
  }
}

// A silent run ends with the program's own code; without /SILENT the
// options are taken off and the run ends as ever. Standard error is no
// terminal here: no progress line.
TEST(SetupTvxCliTest, ASilentRunEndsWithTheProgramsCode) {
  struct Row {
    const char* arguments;
    int status;
    const char* summary;
  };
  const Row rows[] = {
      {"-- /SILENT", 3, "start-up: script not loaded; silent: 3 start-up stopped"},
      {"-- /SILENT '/DIR=C:\\A B' -play Zephra", 3, "mode play for \"Zephra\""},
      {"-- /SILENT /DIR=", 10, "silent run refused: /DIR=: needs a value"},
      {"-- '/DIR=C:\\A B' -play Zephra", 0,
       "mode play for \"Zephra\"; Windows 4 . 10; start-up: script not loaded\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments);
    TestMachine machine;
    const ProgramRun run = RunSetupTvx("--quiet --machine " + Quoted(machine.folder()) + " " + row.arguments);
    EXPECT_EQ(run.status, row.status);
    EXPECT_NE(run.out.find(row.summary), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
  }
}

}  // namespace
}  // namespace tvx::testing
