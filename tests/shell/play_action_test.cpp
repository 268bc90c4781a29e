// Playing the sample on simulated machines: what the test game receives
// from the panel's Play button and from "-play", the disc prompt, the
// playable configuration, and every way a start ends.
#include <gtest/gtest.h>

#include "platform/host/escaped_text.h"

#include "install/shortcut_test_support.h"
#include "platform/file_services.h"
#include "shell/play_rig.h"

namespace tvx::testing {
namespace {

constexpr const char* kPlayMode = "D:\\SetupTvx.exe -play Zephra";
constexpr const char* kInstalledGame = "\"C:\\Tarvex\\Zephra\\Zephra.exe\"";
// Installed, the recorded language serves: no language choice.
constexpr const char* kPressPlay = "dialog 102 press 1002\n";
constexpr const char* kChooseLanguage = "dialog 133 press 1\n";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PlayTest, TheInstalledGameReceivesItsLanguageAndTheDiscDrive) {
  struct Row {
    const char* name;
    const char* profile_patch;
    const char* language;
    const char* command_line;
  };
  const Row rows[] = {
      {"disc in D:", "{}", "English", "\"C:\\Tarvex\\Zephra\\Zephra.exe\" -l:English -cdrom:D"},
      {"the disc elsewhere",
       R"({"drives": [{"letter": "C", "type": "fixed", "capacity": 8589934592, "used": 3221225472},
                      {"letter": "D", "type": "cdrom", "label": "OTHER"},
                      {"letter": "E", "type": "cdrom", "label": "zephra"}]})",
       "French", "\"C:\\Tarvex\\Zephra\\Zephra.exe\" -l:French -cdrom:E"},
      {"no disc",
       R"({"drives": [{"letter": "C", "type": "fixed", "capacity": 8589934592, "used": 3221225472},
                      {"letter": "D", "type": "cdrom", "label": "ZEPHRA", "has_media": false}]})",
       "English", "\"C:\\Tarvex\\Zephra\\Zephra.exe\" -l:English"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine(row.profile_patch);
    Installed installed;
    installed.language = row.language;
    InstallSample(*machine, installed);
    const SetupRun run = StartSetup(*machine, kPlayMode);
    ASSERT_TRUE(run.play);
    EXPECT_EQ(run.play->outcome, PlayOutcome::Started);
    const std::vector<GameRun> games = GameRuns(*machine);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].program, "C:\\Tarvex\\Zephra\\Zephra.exe");
    EXPECT_EQ(games[0].command_line, row.command_line);
    // Directory + WORKING DIRECTORY ".".
    EXPECT_EQ(games[0].directory, "C:\\Tarvex\\Zephra");
    EXPECT_TRUE(games[0].mutex_taken) << "the product mutex is closed before the game starts";
    EXPECT_EQ(
        machine->Journal(),
        "run " +
            host::EscapedText(std::string("C:\\Tarvex\\Zephra\\Zephra.exe in C:\\Tarvex\\Zephra with ") +
                              row.command_line) +
            "\n");
    EXPECT_FALSE(Contains(machine->Transcript(), "dialog id=102")) << "no panel in play mode";
  }
}

// Fault: the line was built unquoted, so an install folder with blanks let
// Windows start "C:\Program.exe", with the rest of the path as arguments.
TEST(PlayTest, AFolderWithBlanksStartsTheGameNotAProgramNamedAfterItsFirstWord) {
  auto machine = SampleMachine();
  Installed installed;
  installed.directory = "C:\\Program Files\\Zephra\\";
  InstallSample(*machine, installed);
  PlantGame(*machine, "C:\\Program.exe");

  StartSetup(*machine, kPlayMode);

  const std::vector<GameRun> games = GameRuns(*machine);
  ASSERT_EQ(games.size(), 1u);
  EXPECT_EQ(games[0].program, "C:\\Program Files\\Zephra\\Zephra.exe");
  EXPECT_EQ(games[0].command_line, "\"C:\\Program Files\\Zephra\\Zephra.exe\" -l:English -cdrom:D");
  EXPECT_EQ(games[0].directory, "C:\\Program Files\\Zephra");
}

TEST(PlayTest, ThePanelHidesAndEndsAfterStartingTheGame) {
  auto machine = SampleMachine("{}", kPressPlay);
  InstallSample(*machine);

  const SetupRun run = StartSetup(*machine, "D:\\SetupTvx.exe");
  ASSERT_TRUE(run.play);
  EXPECT_EQ(run.play->outcome, PlayOutcome::Started);
  EXPECT_EQ(run.play->command_line, std::string(kInstalledGame) + " -l:English -cdrom:D");
  EXPECT_TRUE(run.quit_posted);
  const host::DialogState* panel = LastPanel(*machine);
  ASSERT_TRUE(panel);
  EXPECT_FALSE(panel->visible);
  EXPECT_TRUE(panel->ended);
  ASSERT_EQ(GameRuns(*machine).size(), 1u);
  EXPECT_TRUE(GameRuns(*machine)[0].mutex_taken);
  EXPECT_TRUE(machine->machine().ui().AnswerProblems().empty());
}

TEST(PlayTest, TheDiscConfigurationPlaysFromTheDiscWithoutInstalling) {
  auto machine = SampleMachine();
  PlantGame(*machine, "D:\\Program\\Zephra.exe");

  const SetupRun run = StartSetup(*machine, kPlayMode);

  ASSERT_TRUE(run.play);
  EXPECT_EQ(run.play->outcome, PlayOutcome::Started);
  const std::vector<GameRun> games = GameRuns(*machine);
  ASSERT_EQ(games.size(), 1u);
  // The program's own folder is the base; WORKING DIRECTORY "Program".
  EXPECT_EQ(games[0].command_line, "\"D:\\Program\\Zephra.exe\" -l:English -cdrom:D");
  EXPECT_EQ(games[0].directory, "D:\\Program");
  EXPECT_FALSE(Contains(machine->ReadFile("C:\\WINDOWS\\Tarvex\\tvx.ini"), "[Zephra]")) << "nothing recorded";
}

TEST(PlayTest, APlayableConfigurationNeedsItsComponentsFirst) {
  // The disc configuration asks for DirectX, which this machine lacks and
  // which nothing installs yet.
  auto machine = SampleMachine("{}", kChooseLanguage + std::string(kPressPlay) + "dialog 102 press 2\n");
  ChangeDiscScript(*machine, {{"[EXE IS ON CD]\r\n",
                               "[EXE IS ON CD]\r\n[SOFTWARE COMPONENTS]\r\n"
                               "Microsoft Direct X,DirectX,/silent,0\r\n"}});
  PlantGame(*machine, "D:\\Program\\Zephra.exe");
  const SetupRun run = StartSetup(*machine, "D:\\SetupTvx.exe");

  ASSERT_TRUE(run.play);
  EXPECT_EQ(run.play->outcome, PlayOutcome::NotReady);
  EXPECT_TRUE(GameRuns(*machine).empty());
  EXPECT_EQ(run.startup, StartupResult::Continue) << "the panel stayed until Quit";
  EXPECT_TRUE(machine->machine().ui().AnswerProblems().empty());
}

TEST(PlayTest, ADataSourceFolderIsTheBaseOfAPlayableConfiguration) {
  auto machine = SampleMachine();
  ChangeDiscScript(*machine, {{"[NVC]", "[DATA SOURCE]\r\nC:\\Dev\\Zephra\r\n[NVC]"}});
  PlantGame(*machine, "C:\\Dev\\Zephra\\Program\\Zephra.exe");
  machine->WriteFile("C:\\Dev\\Zephra\\InstData\\tvx.ins", "");

  StartSetup(*machine, kPlayMode);

  const std::vector<GameRun> games = GameRuns(*machine);
  ASSERT_EQ(games.size(), 1u);
  EXPECT_EQ(games[0].command_line, "\"C:\\Dev\\Zephra\\Program\\Zephra.exe\" -l:English -cdrom:D");
  EXPECT_EQ(games[0].directory, "C:\\Dev\\Zephra\\Program");
}

TEST(PlayTest, AfterAComponentAskedForARestartPlayAsksToRestartInstead) {
  struct Row {
    const char* name;
    const char* command_line;
    const char* answers;
    PlayOutcome outcome;
  };
  // Return answering yes also disarms Return on the panel; the simulated
  // machine keeps the key's state per dialog, so that rule is not seen here.
  const char* const kPanel = "D:\\SetupTvx.exe";
  const Row rows[] = {
      {"yes: the restart is asked and the panel closes", kPanel,
       "dialog 102 press 1002\ndialog 150 press 1\n", PlayOutcome::RestartAccepted},
      {"no: the panel stays", kPanel, "dialog 102 press 1002\ndialog 150 press 2\ndialog 102 press 2\n",
       PlayOutcome::RestartDeclined},
      {"yes in play mode", kPlayMode, "dialog 150 press 1\n", PlayOutcome::RestartAccepted},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine("{}", row.answers);
    InstallSample(*machine);
    Platform& real = machine->platform();
    RecordingShell shell(real.shell);
    Platform platform{real.files, real.registry, real.system, shell, real.ui};

    const SetupRun run = StartSetup(
        *machine, row.command_line, [](Session& session) { session.detection_state.restart_needed = true; },
        &platform);

    ASSERT_TRUE(run.play);
    EXPECT_EQ(run.play->outcome, row.outcome);
    EXPECT_TRUE(Contains(machine->Transcript(),
                         "dialog id=150 caption=\"Setup \" 1=\"Yes\" 2=\"No\" 1017=\"Windows must restart "
                         "before you can play "
                         "Zephra. Restart now?\""));
    EXPECT_TRUE(GameRuns(*machine).empty()) << "the game waits for the restart";
    EXPECT_EQ(machine->Journal(), row.outcome == PlayOutcome::RestartAccepted ? "restart asked\n" : "");
    // Accepted, the program plays the game once Windows is up again.
    const std::string entry = real.shell.SpecialFolderPath(SpecialFolder::Startup) + "\\Play Zephra.lnk";
    const ShellLink* link = shell.Find(entry);
    ASSERT_EQ(link != nullptr, row.outcome == PlayOutcome::RestartAccepted);
    EXPECT_EQ(real.files.Attributes(entry).has_value(), link != nullptr);
    if (link) {
      EXPECT_EQ(link->target, "D:\\SetupTvx.exe");
      EXPECT_EQ(link->arguments, "-play Zephra");
      EXPECT_EQ(link->working_directory, "D:\\");
    }
    EXPECT_TRUE(run.return_key_armed) << "answered with the mouse";
    // Play mode ends anyway once start-up returns.
    EXPECT_EQ(run.quit_posted, row.command_line != kPanel || row.outcome == PlayOutcome::RestartAccepted);
    EXPECT_TRUE(machine->machine().ui().AnswerProblems().empty());
  }
}

}  // namespace
}  // namespace tvx::testing
