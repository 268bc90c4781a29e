// The start-up checks of the front panel on simulated machines.
#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "shell/front_panel.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

struct Started {
  StartupResult result;
  std::string transcript;
  std::string journal;
  SystemVersion version;
  bool quit_posted;
};

Started StartOn(TestMachine& machine, const std::string& command_line) {
  Session session(machine.platform());
  FrontPanel panel(session, command_line);
  const StartupResult result = panel.Initialise();
  return {result, machine.Transcript(), machine.Journal(), session.system_version, panel.quit_posted()};
}

TestMachine MachineFrom(const std::string& profile) {
  TestMachine::Options options;
  options.profile_file = ExampleProfile(profile);
  return TestMachine(options);
}

TEST(StartupTest, TheOperatingSystemCheckOnEveryProfile) {
  struct Row {
    const char* profile;
    bool accepted;
    const char* version_text;
    bool win9x, nt4;
  };
  const Row rows[] = {
      {"win95-osr2", true, "4 . 0", true, false},  {"win98", true, "4 . 10", true, false},
      {"nt40-sp3", true, "4 . 0", false, true},    {"win2000", true, "5 . 0", false, true},
      {"modern-4tib", true, "6 . 2", false, true}, {"nt351", false, "3 . 51", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.profile);
    TestMachine machine = MachineFrom(row.profile);
    const Started started = StartOn(machine, "\"D:\\SetupTvx.exe\"");
    EXPECT_EQ(started.result, row.accepted ? StartupResult::Continue : StartupResult::UnsupportedSystem);
    EXPECT_EQ(started.version.version_text, row.version_text);
    EXPECT_EQ(started.version.win9x, row.win9x);
    EXPECT_EQ(started.version.nt4_or_later, row.nt4);
    EXPECT_EQ(started.quit_posted, !row.accepted);
    EXPECT_EQ(started.transcript,
              row.accepted
                  ? ""
                  : "message-box caption=\"SetupTvx\" text=\"This program does not support Windows NT "
                    "Workstation Version ) 3 . 51\" style=0x00000000 owner=main answer=IDOK "
                    "from=default\n");
  }
}

TEST(StartupTest, ASecondCopyEndsSilently) {
  TestMachine machine;
  auto first_process = machine.Open();
  Session first(first_process->platform());
  FrontPanel first_panel(first, "SetupTvx.exe");
  ASSERT_EQ(first_panel.Initialise(), StartupResult::Continue);

  const Started second = StartOn(machine, "SetupTvx.exe");
  EXPECT_EQ(second.result, StartupResult::AlreadyRunning);
  EXPECT_TRUE(second.quit_posted);
  EXPECT_EQ(second.transcript, "");
}

TEST(StartupTest, PlayModeSkipsTheSingleInstanceCheck) {
  TestMachine machine;
  MutexResult held = machine.platform().shell.CreateNamedMutex(kSetupMutexName);
  EXPECT_EQ(StartOn(machine, "SetupTvx.exe -play Zephra").result, StartupResult::Continue);
  EXPECT_EQ(StartOn(machine, "SetupTvx.exe -uninstall Zephra").result, StartupResult::AlreadyRunning);
}

TEST(StartupTest, PlayModeDeletesTheRestartEntriesOnly) {
  TestMachine machine;
  FileSystem& files = machine.platform().files;
  const std::string startup = machine.platform().shell.SpecialFolderPath(SpecialFolder::Startup);
  for (const char* name : {"Play Zephra.lnk", "Play Other Game.lnk", "Player.lnk", "Mail.lnk"})
    ASSERT_TRUE(files.Open(startup + "\\" + name, OpenMode::CreateAlways).file);

  StartOn(machine, "SetupTvx.exe");
  EXPECT_TRUE(FileExists(files, startup + "\\Play Zephra.lnk"));

  StartOn(machine, "SetupTvx.exe -play Zephra");
  EXPECT_FALSE(FileExists(files, startup + "\\Play Zephra.lnk"));
  EXPECT_FALSE(FileExists(files, startup + "\\Play Other Game.lnk"));
  EXPECT_TRUE(FileExists(files, startup + "\\Player.lnk"));
  EXPECT_TRUE(FileExists(files, startup + "\\Mail.lnk"));
}

TEST(StartupTest, TheWebLinkOpensItsWholeArgumentAndQuits) {
  TestMachine machine;
  Session session(machine.platform());
  FrontPanel panel(session, "SetupTvx.exe -http http://www.example.invalid/a b");
  EXPECT_TRUE(session.quit_requested);
  EXPECT_TRUE(panel.quit_posted());
  EXPECT_EQ(panel.Initialise(), StartupResult::WebLinkOpened);
  EXPECT_EQ(machine.Journal(), "open http://www.example.invalid/a b\n");
  EXPECT_EQ(session.product_argument, "http://www.example.invalid/a b");
  EXPECT_FALSE(session.setup_mutex);
}

}  // namespace
}  // namespace tvx::testing
