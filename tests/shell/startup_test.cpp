// The whole start-up and the front panel on simulated machines with the
// sample disc: every mode, every way start-up ends, the panel's states.
#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "platform/path_text.h"
#include "shell/front_panel.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

TestMachine SampleMachine(const std::string& profile = "win98", const std::string& answers = "") {
  TestMachine::Options options;
  options.profile_file = ExampleProfile(profile);
  options.disc = SampleDisc();
  options.answers = answers;
  return TestMachine(options);
}

struct Started {
  StartupResult result;
  bool quit_posted;
  std::optional<ButtonStates> buttons;
  std::vector<RequestedAction> requested;
  SystemVersion version;
};

Started Start(TestMachine& machine, const std::string& command_line) {
  Session session(machine.platform());
  FrontPanel panel(session, command_line);
  panel.Run();
  std::optional<ButtonStates> buttons;
  if (panel.panel() && panel.result() == StartupResult::Continue) buttons = panel.panel()->states();
  return {panel.result(), panel.quit_posted(), buttons, panel.requested_actions(), session.system_version};
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

constexpr const char* kInstalledRecord =
    "[SYSTEM]\r\n\r\n[INSTALLED PRODUCTS]\r\nZephra\r\n\r\n[Zephra]\r\nDirectory=C:\\Tarvex\\Zephra\\\r\n"
    "Language=English\r\nConfiguration=%d\r\n";

std::string InstalledRecord(int configuration) {
  char text[256];
  std::snprintf(text, sizeof text, kInstalledRecord, configuration);
  return text;
}

TEST(StartupTest, TheSystemCheckOnEveryProfile) {
  struct Row {
    const char* profile;
    bool accepted;
    const char* version_text;
  };
  const Row rows[] = {{"win95-osr2", true, "4 . 0"},  {"win98", true, "4 . 10"},
                      {"nt40-sp3", true, "4 . 0"},    {"win2000", true, "5 . 0"},
                      {"modern-4tib", true, "6 . 2"}, {"nt351", false, "3 . 51"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.profile);
    TestMachine machine = SampleMachine(row.profile);
    const Started started = Start(machine, "\"D:\\SetupTvx.exe\"");
    EXPECT_EQ(started.version.version_text, row.version_text);
    EXPECT_EQ(started.result == StartupResult::UnsupportedSystem, !row.accepted);
    EXPECT_EQ(Contains(machine.Transcript(),
                       "text=\"This program does not support Windows NT Workstation Version ) 3 . 51\""),
              !row.accepted);
  }
}

TEST(StartupTest, ASecondCopyEndsSilently) {
  TestMachine machine = SampleMachine();
  MutexResult first = machine.platform().shell.CreateNamedMutex("SetupTvx.exe");
  const Started second = Start(machine, "SetupTvx.exe");
  EXPECT_EQ(second.result, StartupResult::AlreadyRunning);
  EXPECT_TRUE(second.quit_posted);
  EXPECT_FALSE(Contains(machine.Transcript(), "message-box"));
}

TEST(StartupTest, TheWebLinkOpensItsWholeArgumentAndDoesNothingElse) {
  TestMachine machine = SampleMachine();
  const Started started = Start(machine, "SetupTvx.exe -http http://www.example.invalid/a b");
  EXPECT_EQ(started.result, StartupResult::WebLinkOpened);
  EXPECT_EQ(machine.Journal(), "open http://www.example.invalid/a b\n");
  EXPECT_EQ(machine.Transcript(), "");
}

TEST(StartupTest, PlayModeClearsRestartEntriesAndPlaysWithoutAWindow) {
  TestMachine machine = SampleMachine();
  FileSystem& files = machine.platform().files;
  const std::string startup = machine.platform().shell.SpecialFolderPath(SpecialFolder::Startup);
  for (const char* name : {"Play Zephra.lnk", "Player.lnk"}) machine.WriteFile(startup + "\\" + name, "x");
  // The single-instance mutex does not stop a play start of a product
  // that is not installed.
  MutexResult setup = machine.platform().shell.CreateNamedMutex("SetupTvx.exe");

  const Started started = Start(machine, "SetupTvx.exe -play Zephra");

  EXPECT_EQ(started.result, StartupResult::Continue);
  EXPECT_TRUE(started.requested.empty());
  EXPECT_FALSE(started.buttons);
  EXPECT_FALSE(FileExists(files, startup + "\\Play Zephra.lnk"));
  EXPECT_TRUE(FileExists(files, startup + "\\Player.lnk"));
  EXPECT_FALSE(Contains(machine.Transcript(), "dialog id=102"));
}

TEST(StartupTest, ARunningGameKeepsTheProductMutexAndComesToTheFrontInPlayMode) {
  TestMachine::Options options;
  std::string profile = ReadHostText(ExampleProfile("win98"));
  profile.insert(
      1,
      "\"processes\": [{\"executable\": \"C:\\\\Tarvex\\\\Zephra\\\\ZEPHRA.EXE\", \"window\": \"Zephra\"}],");
  options.profile_json = profile;
  options.disc = SampleDisc();
  TestMachine machine(options);
  MutexResult game = machine.platform().shell.CreateNamedMutex("ZEPHRAEXE");

  EXPECT_EQ(Start(machine, "SetupTvx.exe").result, StartupResult::ProductRunning);
  EXPECT_EQ(machine.Journal(), "");
  EXPECT_EQ(Start(machine, "SetupTvx.exe -play Zephra").result, StartupResult::ProductRunning);
  EXPECT_EQ(machine.Journal(), "front Zephra\n");
}

void SetVolumeName(TestMachine& machine, const std::string& name) {
  std::string script = machine.ReadFile("D:\\InstData\\tvx.ins");
  const std::string line = "[VOLUME NAME]\r\nZEPHRA\r\n";
  ASSERT_NE(script.find(line), std::string::npos);
  script.replace(script.find(line), line.size(), "[VOLUME NAME]\r\n" + name + "\r\n");
  machine.WriteFile("D:\\InstData\\tvx.ins", script);
}

// Pins a fault: a mutex that could not be created was taken for the game
// running (or, for the setup mutex, for none running at all).
TEST(StartupTest, AMutexThatCannotBeCreatedStopsStartUpOfItsOwn) {
  struct Row {
    const char* name;
    std::function<void(TestMachine&)> spoil;
    const char* command_line;
    StartupResult result;
    const char* fault;  // what the machine tells it could not do; "" for nothing
  };
  const auto mutexes_folder_is_a_file = [](TestMachine& m) { WriteHostText(m.folder() / "mutexes", ""); };
  const Row rows[] = {
      {"the longest volume name a mutex takes",
       [](TestMachine& m) { SetVolumeName(m, std::string(257, 'Z')); }, "SetupTvx.exe",
       StartupResult::Continue, ""},
      {"a volume name one longer", [](TestMachine& m) { SetVolumeName(m, std::string(258, 'Z')); },
       "SetupTvx.exe", StartupResult::MutexNotCreated, ""},
      {"no mutexes folder to hold the setup mutex", mutexes_folder_is_a_file, "SetupTvx.exe",
       StartupResult::MutexNotCreated, "cannot make the mutex lock file"},
      {"nor the product's in play mode", mutexes_folder_is_a_file, "SetupTvx.exe -play Zephra",
       StartupResult::MutexNotCreated, "cannot make the mutex lock file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestMachine machine = SampleMachine("win98", "dialog 133 press 1\n");
    row.spoil(machine);
    EXPECT_EQ(Start(machine, row.command_line).result, row.result);
    const auto& faults = machine.machine().faults().list();
    if (*row.fault) {
      ASSERT_EQ(faults.size(), 1u);
      EXPECT_TRUE(Contains(faults[0], row.fault)) << faults[0];
    } else {
      EXPECT_TRUE(faults.empty());
    }
  }
}

TEST(StartupTest, EveryWayStartUpFailsIsReportedOnce) {
  struct Row {
    const char* name;
    std::function<void(TestMachine&)> spoil;
    StartupResult result;
    const char* message;  // a part of the one box that reports it; "" for none
  };
  const auto remove_from_disc = [](const char* file) {
    return [file](TestMachine& machine) { fs::remove(machine.HostPath("D:\\InstData") / file); };
  };
  const Row rows[] = {
      {"no script", [](TestMachine& m) { fs::remove_all(m.HostPath("D:\\InstData")); },
       StartupResult::ScriptNotLoaded,
       "text=\"Script not loaded !\\nCould not open the fileD:\\\\InstData\\\\tvx.ins\""},
      {"corrupted script",
       [](TestMachine& m) { m.WriteFile("D:\\InstData\\tvx.ins", "[APPLICATION NAME]\nZephra\n"); },
       StartupResult::ScriptNotLoaded,
       "Script loaded but corrupted !\\nFileName : D:\\\\InstData\\\\tvx.ins\\nError in line 2"},
      {"recorded configuration not in the script",
       [](TestMachine& m) { m.WriteFile("C:\\WINDOWS\\Tarvex\\tvx.ini", InstalledRecord(9)); },
       StartupResult::InstalledChoiceMissing,
       "The config N\xB0"
       "9 does not exist !!"},
      {"no background", remove_from_disc("Panel.pcx"), StartupResult::PanelPicturesMissing,
       "Can't open D:\\\\InstData\\\\Panel.pcx !!"},
      {"a button picture", remove_from_disc("Playd.pcx"), StartupResult::PanelPicturesMissing,
       "Can't open D:\\\\InstData\\\\Playd.pcx !!"},
      {"a guide picture", remove_from_disc("Guide_s.pcx"), StartupResult::GuidePicturesMissing,
       "Can't open D:\\\\InstData\\\\Guide_s.pcx !!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestMachine machine = SampleMachine();
    row.spoil(machine);
    const Started started = Start(machine, "SetupTvx.exe");
    EXPECT_EQ(started.result, row.result);
    EXPECT_TRUE(Contains(machine.Transcript(), row.message)) << machine.Transcript();
    // The guide's failure leaves the panel up without states applied.
    EXPECT_EQ(Contains(machine.Transcript(), "dialog id=102") && !Contains(machine.Transcript(), "from=init"),
              row.result == StartupResult::GuidePicturesMissing);
  }
}

// Pins a fault: a panel its set-up ended was still painted and written
// out, a bare background passing for the panel.
TEST(StartupTest, OnlyAPanelThatShowsIsPhotographed) {
  struct Row {
    const char* name;
    const char* removed;  // from the disc's InstData; "" for nothing
    StartupResult result;
    bool photographed;
  };
  const Row rows[] = {{"the whole disc", "", StartupResult::Continue, true},
                      {"a button picture missing", "Playd.pcx", StartupResult::PanelPicturesMissing, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TemporaryFolder folder;
    TestMachine::Options options;
    options.profile_file = ExampleProfile("win98");
    options.disc = SampleDisc();
    options.answers = "dialog 133 press 1\n";
    options.run.ui.snapshots[FrontPanel::kTemplate] = folder.path() / "panel.png";
    TestMachine machine(options);
    if (*row.removed) fs::remove(machine.HostPath("D:\\InstData") / row.removed);
    EXPECT_EQ(Start(machine, "SetupTvx.exe").result, row.result);
    EXPECT_EQ(fs::exists(folder.path() / "panel.png"), row.photographed);
    EXPECT_TRUE(machine.machine().faults().list().empty());
  }
}

TEST(StartupTest, ThePanelsButtonsFollowWhatIsInstalledAndWhatFits) {
  struct Row {
    const char* name;
    const char* profile;
    int installed_configuration;  // -1: not installed
    const char* answers;
    StartupResult result;
    std::optional<ButtonStates> buttons;
  };
  const Row rows[] = {
      {"fits, playable from the disc", "win98", -1, "", StartupResult::Continue,
       ButtonStates{true, false, true, true, true}},
      {"fits, nothing playable", "win2000", -1, "", StartupResult::Continue,
       ButtonStates{true, false, false, true, true}},
      {"nothing fits but the disc plays", "win98-small-disk", -1, "dialog 150 press 2\n",
       StartupResult::Continue, ButtonStates{false, false, true, true, true}},
      {"nothing fits, nothing plays: the question, then the end", "nt40-sp3-user", -1, "dialog 150 press 2\n",
       StartupResult::NothingToInstallOrPlay, std::nullopt},
      {"nothing fits: yes explains why, matches again, and still ends", "nt40-sp3-user", -1,
       "dialog 150 press 1\ndialog 144 press 1\n", StartupResult::NothingToInstallOrPlay, std::nullopt},
      {"installed, its files missing: it no longer serves", "win98", 1, "box IDOK text~\"no longer suits\"\n",
       StartupResult::Continue, ButtonStates{true, true, false, true, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string answers = std::string("dialog 133 press 1\n") + row.answers;
    TestMachine machine = SampleMachine(row.profile, answers);
    if (row.installed_configuration >= 0)
      machine.WriteFile("C:\\WINDOWS\\Tarvex\\tvx.ini", InstalledRecord(row.installed_configuration));
    const Started started = Start(machine, "SetupTvx.exe");
    EXPECT_EQ(started.result, row.result);
    EXPECT_EQ(started.buttons, row.buttons);
    EXPECT_EQ(Contains(machine.Transcript(), "dialog id=150"),
              std::string(row.answers).find("150") != std::string::npos);
    EXPECT_EQ(Contains(machine.Transcript(), "dialog id=144"),
              std::string(row.answers).find("144") != std::string::npos);
  }
}

TEST(StartupTest, ThePanelOpensTheWebAddressReloadsItsPicturesAndDisarmsReturn) {
  TestMachine machine =
      SampleMachine("win98",
                    "dialog 133 press 1\ndialog 102 hover 1002\ndialog 102 display 1024 768\n"
                    "dialog 102 key 13\ndialog 102 press 1004\ndialog 102 press 2\n");
  Session session(machine.platform());
  FrontPanel panel(session, "SetupTvx.exe");
  panel.Run();
  EXPECT_EQ(panel.result(), StartupResult::Continue);
  EXPECT_TRUE(Contains(machine.Transcript(), "window id=137 opened"))
      << "the splash, while the machine is tested";
  EXPECT_EQ(machine.Journal(), "open http://www.zephra.example/\n");
  EXPECT_FALSE(session.ui_state.return_key_armed);
  // Hovering Play showed its guide picture.
  ASSERT_TRUE(session.ui_state.guide);
  EXPECT_EQ(session.ui_state.guide->shown(), 1002);
  EXPECT_TRUE(Contains(machine.Transcript(),
                       "actions=\"hover 1002; display 1024 768; key 13; press 1004; "
                       "press 2\" end=2"));
}

}  // namespace
}  // namespace tvx::testing
