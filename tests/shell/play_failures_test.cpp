// Every way the Play action stops short of the game, on simulated
// machines: nothing to play, an unusable configuration, the disc prompt,
// too little memory and each failed start, with the box the user sees.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/play_rig.h"

namespace tvx::testing {
namespace {

constexpr const char* kPlayMode = "D:\\SetupTvx.exe -play Zephra";
constexpr const char* kPressPlay = "dialog 102 press 1002\n";
constexpr const char* kStartFailedCaption = "caption=\"Zephra cannot start\"";
constexpr const char* kStopIcon = "style=0x00000010";
// Configuration 1, the one recorded as installed, taken by its own file.
constexpr const char* kConfigurationOneFiles = "[SPECIFIC FILES]\r\nZephfull.cfg";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(PlayFailureTest, WithNothingToPlayTheUserIsToldToInstall) {
  // Windows 2000 takes the full installation, but the disc configuration
  // does not play there.
  TestMachine machine([] {
    TestMachine::Options options;
    options.profile_file = ExampleProfile("win2000");
    options.disc = SampleDisc();
    return options;
  }());

  const SetupRun run = StartSetup(machine, kPlayMode);

  ASSERT_TRUE(run.play);
  EXPECT_EQ(run.play->outcome, PlayOutcome::NothingToPlay);
  EXPECT_TRUE(Contains(machine.Transcript(),
                       "message-box caption=\"Error in launching 'exe' file\" "
                       "text=\"Invalid configuration !\\nPlease install this product...\" style=0x00000010"));
  EXPECT_TRUE(GameRuns(machine).empty());
  EXPECT_EQ(machine.Journal(), "");
}

// The check at start-up has told the user; Play says nothing more, and
// does not fall back on the disc configuration that would play.
TEST(PlayFailureTest, AnUnusableInstalledConfigurationIsNotPlayedAndNotToldAgain) {
  auto machine = SampleMachine("{}", "box IDOK text~\"no longer suits\"\ndialog 102 press 2\n");
  InstallSample(*machine);
  std::filesystem::remove(machine->HostPath("C:\\Tarvex\\Zephra\\Data\\Textures.dat"));
  PlantGame(*machine, "D:\\Program\\Zephra.exe");
  {
    Session session(machine->platform());
    FrontPanel panel(session, "D:\\SetupTvx.exe");
    panel.Run();
    ASSERT_TRUE(panel.matcher());
    ASSERT_TRUE(panel.matcher()->playable()) << "the disc would play";
    const std::string before = machine->Transcript();
    InstallScript script = panel.script();

    const PlayReport report = PlayAction(session, script, *panel.matcher(), nullptr, nullptr).Run();

    EXPECT_EQ(report.outcome, PlayOutcome::ConfigurationUnusable);
    EXPECT_EQ(machine->Transcript(), before);
    EXPECT_TRUE(GameRuns(*machine).empty());
  }
  // "-play" stops at start-up, before Play.
  EXPECT_EQ(StartSetup(*machine, kPlayMode).startup, StartupResult::InstalledConfigurationUnusable);
  EXPECT_TRUE(GameRuns(*machine).empty());
}

TEST(PlayFailureTest, AGameOnTheDiscIsAskedForUntilItIsInOrTheUserGivesUp) {
  struct Row {
    const char* name;
    bool disc_in;
    const char* answers;
    int disc_arrives_at;  // the prompt during which it comes; 0: never
    int prompts;
    bool started;
  };
  const Row rows[] = {
      {"the disc is in: no prompt", true, "", 0, 0, true},
      {"OK once the disc is in", false, "box IDOK\n", 1, 1, true},
      {"asked again until the disc is in", false, "box IDOK\nbox IDOK\nbox IDOK\n", 3, 3, true},
      {"OK without the disc, then Cancel", false, "box IDOK\nbox IDCANCEL\n", 0, 2, false},
      {"Cancel after the disc came in still does not play", false, "box IDCANCEL\n", 1, 1, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine("{}", row.answers);
    Installed installed;
    installed.source_data_path = "\\Game\\";
    installed.script_changes = {
        {kConfigurationOneFiles, std::string("[EXE IS ON CD]\r\n") + kConfigurationOneFiles}};
    InstallSample(*machine, installed);
    PlantGame(*machine, "D:\\Game\\Zephra.exe");
    machine->machine().SetMedia('D', row.disc_in);
    DiscArrives ui(machine->machine(), row.disc_arrives_at);
    Platform& own = machine->platform();
    Platform platform{own.files, own.registry, own.system, own.shell, ui};

    const SetupRun run = StartSetup(*machine, kPlayMode, {}, &platform);

    ASSERT_TRUE(run.play);
    EXPECT_EQ(run.play->outcome, row.started ? PlayOutcome::Started : PlayOutcome::NotReady);
    EXPECT_EQ(
        Count(machine->Transcript(),
              "message-box caption=\"Zephra\" text=\"Please insert the disc labelled ZEPHRA in the CD-ROM "
              "drive, then choose OK.\" style=0x00000011"),
        row.prompts);
    const std::vector<GameRun> games = GameRuns(*machine);
    ASSERT_EQ(games.size(), row.started ? 1u : 0u);
    if (!row.started) continue;
    // The base folder is the disc's drive and "SrcDataPath".
    EXPECT_EQ(games[0].command_line, "\"D:\\Game\\Zephra.exe\" -l:English -cdrom:D");
    EXPECT_EQ(games[0].directory, "D:\\Game");
  }
}

TEST(PlayFailureTest, TheGameNeedsTheScriptsMemoryInPhysicalMemoryAndPageFile) {
  struct Row {
    const char* name;
    std::uint64_t physical;
    std::uint64_t page_file;
    const char* requirement;  // "[SPACE REQUIRED]" replaced by this; null: as the sample has it (16)
    const char* command_line;
    bool started;
  };
  const char* const kPanel = "D:\\SetupTvx.exe";
  const Row rows[] = {
      {"16 is met at exactly 16384 KB", 8388608, 8388608, nullptr, kPlayMode, true},
      {"16383 KB is short", 8388608, 8387584, nullptr, kPlayMode, false},
      {"each part counts in whole kilobytes", 8389631, 8388607, nullptr, kPlayMode, false},
      {"short from the panel", 8388608, 0, nullptr, kPanel, false},
      {"no requirement", 1024, 0, "", kPlayMode, true},
      {"a requirement of 0", 1024, 0, "[SPACE REQUIRED]\r\n0\r\n", kPlayMode, true},
      {"a requirement of -1", 1024, 0, "[SPACE REQUIRED]\r\n-1\r\n", kPlayMode, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string memory = "{\"memory\": {\"available_physical\": " + std::to_string(row.physical) +
                               ", \"available_page_file\": " + std::to_string(row.page_file) + "}}";
    const bool panel = row.command_line == kPanel;
    auto machine = SampleMachine(memory, panel ? kPressPlay : "");
    Installed installed;
    if (row.requirement) installed.script_changes = {{"[SPACE REQUIRED]\r\n16\r\n", row.requirement}};
    InstallSample(*machine, installed);

    const SetupRun run = StartSetup(*machine, row.command_line);

    ASSERT_TRUE(run.play);
    EXPECT_EQ(run.play->outcome, row.started ? PlayOutcome::Started : PlayOutcome::NotEnoughMemory);
    EXPECT_EQ(GameRuns(*machine).size(), row.started ? 1u : 0u);
    EXPECT_EQ(
        Contains(machine->Transcript(),
                 std::string("message-box ") + kStartFailedCaption +
                     " text=\"There is not enough memory to play Zephra. Close other programs, then try "
                     "again.\" " +
                     kStopIcon),
        !row.started);
    // The panel hid before the check and closes after it; "-play" shows none.
    const host::DialogState* shown = LastPanel(*machine);
    EXPECT_EQ(shown != nullptr, panel);
    if (shown) {
      EXPECT_FALSE(shown->visible);
      EXPECT_TRUE(run.quit_posted);
    }
  }
}

TEST(PlayFailureTest, AFailedStartIsReportedByItsNumberAndEndsTheProgram) {
  struct Row {
    std::uint32_t result;
    const char* text;  // null: no box
    bool started;
  };
  const Row rows[] = {
      {0, "Windows has not enough memory or resources left to start the game.", false},
      {2, "The game's program cannot be found: install the product again.", false},
      {3, "The game's folder cannot be found: install the product again.", false},
      {11, "The game's program is damaged: install the product again.", false},
      {5, nullptr, false},
      {31, nullptr, false},
      {32, nullptr, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.result);
    auto machine = SampleMachine("{}", kPressPlay);
    InstallSample(*machine);
    StartAnswering shell(machine->machine(), row.result);
    Platform& own = machine->platform();
    Platform platform{own.files, own.registry, own.system, shell, own.ui};

    const SetupRun run = StartSetup(*machine, "D:\\SetupTvx.exe", {}, &platform);

    ASSERT_TRUE(run.play);
    EXPECT_EQ(shell.starts(), 1);
    EXPECT_EQ(run.play->outcome, row.started ? PlayOutcome::Started : PlayOutcome::StartFailed);
    EXPECT_EQ(run.play->start_result, row.result);
    const std::string box = std::string("message-box ") + kStartFailedCaption + " text=\"" +
                            (row.text ? row.text : "") + "\" " + kStopIcon;
    EXPECT_EQ(Contains(machine->Transcript(), box), row.text != nullptr);
    EXPECT_EQ(Contains(machine->Transcript(), "message-box"), row.text != nullptr);
    EXPECT_TRUE(run.quit_posted) << "the panel closes after every attempt";
  }
}

// What the machine itself answers for a game that cannot start. The
// check at start-up already stops an installed game whose files are gone,
// so the disc's game stands for most rows.
TEST(PlayFailureTest, TheMachineAnswersWhyTheGameCouldNotStart) {
  struct Row {
    const char* name;
    bool installed;
    const char* file;  // planted with the bytes below
    const char* bytes;
    std::uint32_t result;
    const char* text;
  };
  const Row rows[] = {
      {"a missing program", false, "D:\\Program\\Readme.txt", "x", 2,
       "The game's program cannot be found: install the product again."},
      {"a missing folder", false, nullptr, nullptr, 3,
       "The game's folder cannot be found: install the product again."},
      {"a file that is not a program", true, "C:\\Tarvex\\Zephra\\Zephra.exe", "not a program", 11,
       "The game's program is damaged: install the product again."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine();
    if (row.installed) InstallSample(*machine);
    if (row.file) machine->WriteFile(row.file, row.bytes);

    const SetupRun run = StartSetup(*machine, kPlayMode);

    ASSERT_TRUE(run.play);
    EXPECT_EQ(run.play->outcome, PlayOutcome::StartFailed);
    EXPECT_EQ(run.play->start_result, row.result);
    EXPECT_TRUE(Contains(machine->Transcript(), std::string("message-box ") + kStartFailedCaption +
                                                    " text=\"" + row.text + "\" " + kStopIcon));
    EXPECT_TRUE(GameRuns(*machine).empty());
  }
}

}  // namespace
}  // namespace tvx::testing
