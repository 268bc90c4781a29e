// User account control at start-up: which modes restart elevated on which
// systems, the guard against a restart loop, Play with the user's rights
// from a shortcut and from an elevated panel.
#include <gtest/gtest.h>

#include "shell/play_rig.h"

namespace tvx::testing {
namespace {

constexpr const char* kWindows10 =
    R"("os": {"platform": 2, "major": 10, "minor": 0, "build": 19045, "service": ""})";

std::string Profile(const std::string& fields) { return "{" + fields + "}"; }

// The sample installed in its configuration for any Windows, with the
// shared strings the installation left in the Windows folder: a token
// without rights could not put them there.
void InstallWithSharedStrings(TestMachine& machine) {
  Installed installed;
  installed.configuration = 2;
  InstallSample(machine, installed);
  for (const char* name : {"strings.eng", "strings.fra"})
    machine.WriteFile(std::string("C:\\WINDOWS\\Tarvex\\") + name,
                      ReadHostText(SampleDisc() / "InstData" / name));
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct Expected {
  ElevationDecision decision = ElevationDecision::NotNeeded;
  std::optional<ElevationAnswer> answer;
};

constexpr Expected kUnchanged{};
constexpr Expected kElevated{ElevationDecision::AlreadyElevated, std::nullopt};
constexpr Expected kAccepted{ElevationDecision::RestartElevated, ElevationAnswer::Accepted};
constexpr Expected kRefused{ElevationDecision::RestartElevated, ElevationAnswer::Refused};

TEST(ElevationTest, EachModeAsksOnlyWhereALimitedTokenMeetsUserAccountControl) {
  struct System {
    const char* name;
    std::string patch;
    Expected panel, play, http, uninstall;
  };
  const std::string limited = std::string(kWindows10) + R"(, "uac": true, "token": "limited")";
  const System systems[] = {
      // The keys mean nothing where user account control does not exist.
      {"Windows 98", Profile(R"("uac": true, "token": "limited")"), kUnchanged, kUnchanged, kUnchanged,
       kUnchanged},
      {"XP", Profile(R"("os": {"platform": 2, "major": 5, "minor": 1}, "uac": true, "token": "limited")"),
       kUnchanged, kUnchanged, kUnchanged, kUnchanged},
      {"10, elevated token", Profile(std::string(kWindows10) + R"(, "uac": true, "token": "elevated")"),
       kElevated, kUnchanged, kUnchanged, kElevated},
      {"10, full token, control off", Profile(std::string(kWindows10) + R"(, "uac": false, "token": "full")"),
       kUnchanged, kUnchanged, kUnchanged, kUnchanged},
      {"10, limited token, control off",
       Profile(std::string(kWindows10) + R"(, "uac": false, "token": "limited")"), kUnchanged, kUnchanged,
       kUnchanged, kUnchanged},
      {"10, limited token", Profile(limited), kAccepted, kUnchanged, kUnchanged, kAccepted},
      {"10, limited token, prompt refused", Profile(limited + R"(, "uac_prompt": "refuse")"), kRefused,
       kUnchanged, kUnchanged, kRefused},
      {"10, a user without rights",
       Profile(std::string(kWindows10) + R"(, "uac": true, "token": "standard")"), kAccepted, kUnchanged,
       kUnchanged, kAccepted},
  };
  struct Mode {
    const char* name;
    const char* command_line;
    Expected System::*expected;
  };
  const Mode modes[] = {{"panel", "\"D:\\SetupTvx.exe\"", &System::panel},
                        {"-play", "\"D:\\SetupTvx.exe\" -play Zephra", &System::play},
                        {"-http", "\"D:\\SetupTvx.exe\" -http about:blank", &System::http},
                        {"-uninstall", "\"D:\\SetupTvx.exe\" -uninstall Zephra", &System::uninstall}};
  for (const System& system : systems) {
    for (const Mode& mode : modes) {
      SCOPED_TRACE(std::string(system.name) + ", " + mode.name);
      auto machine = SampleMachine(system.patch);
      InstallSample(*machine);
      host::RunOptions run;
      run.command_line = mode.command_line;
      auto process = machine->Open(std::move(run));
      Session session(process->platform());
      FrontPanel panel(session, mode.command_line);
      panel.Run();
      const Expected& expected = system.*(mode.expected);
      EXPECT_EQ(panel.elevation().decision, expected.decision);
      EXPECT_EQ(panel.elevation().answer, expected.answer);
      const bool handed = expected.answer == ElevationAnswer::Accepted;
      EXPECT_EQ(panel.result() == StartupResult::RestartedElevated, handed);
      // The copy takes the single-instance mutex; this process never did.
      if (handed) {
        EXPECT_FALSE(session.setup_mutex);
      }
      const std::string_view parameters = ProgramParameters(mode.command_line);
      EXPECT_EQ(Contains(machine->Journal(), "elevate "), expected.answer.has_value()) << machine->Journal();
      if (expected.answer) {
        EXPECT_TRUE(Contains(machine->Journal(), "with " + std::string(parameters) + "\n"))
            << machine->Journal();
      }
    }
  }
}

// The machine's shell, except that this process is the copy a request
// started: a copy still not elevated.
class StillLimitedCopy : public host::HostShell {
 public:
  explicit StillLimitedCopy(host::SimulatedMachine& machine)
      : HostShell(machine.folder(), machine.profile(), machine.journal(), machine.faults(), machine.files()) {
  }
  bool ClaimElevatedRestart() override { return true; }
};

TEST(ElevationTest, ACopyThatIsStillLimitedGoesOnWithoutAskingAgain) {
  auto machine = SampleMachine(Profile(std::string(kWindows10) + R"(, "uac": true, "token": "limited")"));
  StillLimitedCopy shell(machine->machine());
  Platform platform{machine->platform().files, machine->platform().registry, machine->platform().system,
                    shell, machine->platform().ui};
  Session session(platform);
  FrontPanel panel(session, "\"D:\\SetupTvx.exe\"");
  panel.Run();
  EXPECT_EQ(panel.elevation().decision, ElevationDecision::StillLimited);
  EXPECT_NE(panel.result(), StartupResult::RestartedElevated);
  EXPECT_FALSE(Contains(machine->Journal(), "elevate")) << machine->Journal();
  EXPECT_TRUE(session.setup_mutex);
}

// A shortcut's "-play" runs with the user's rights, which cannot write the
// machine test results into the Windows folder: nothing is said, the game
// starts. The panel, refused its elevation, still tells of the failure.
TEST(ElevationTest, PlayFromAShortcutSkipsTheTestResultsItCannotWrite) {
  struct Row {
    const char* name;
    const char* command_line;
    const char* answers;
    bool told;
  };
  const Row rows[] = {
      {"-play", "D:\\SetupTvx.exe -play Zephra", "", false},
      {"panel, prompt refused", "D:\\SetupTvx.exe", "dialog 102 press 2\n", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine(
        Profile(std::string(kWindows10) + R"(, "uac": true, "token": "limited", "uac_prompt": "refuse")"),
        row.answers);
    InstallWithSharedStrings(*machine);
    const std::string before = machine->ReadFile("C:\\WINDOWS\\Tarvex\\tvx.ini");
    const SetupRun run = StartSetup(*machine, row.command_line);
    EXPECT_EQ(run.startup, StartupResult::Continue) << StartupResultName(run.startup);
    EXPECT_EQ(Contains(machine->Transcript(), "was not well updated"), row.told) << machine->Transcript();
    EXPECT_EQ(machine->ReadFile("C:\\WINDOWS\\Tarvex\\tvx.ini"), before);
    if (!row.told) {
      ASSERT_TRUE(run.play);
      EXPECT_EQ(run.play->outcome, PlayOutcome::Started);
      // The game runs with the user's rights too: its own record in the
      // Windows folder is refused, the start is journalled.
      EXPECT_TRUE(Contains(machine->Journal(), "run C:\\\\Tarvex\\\\Zephra\\\\Zephra.exe in "))
          << machine->Journal();
    }
  }
}

// From an elevated panel the game gets the desktop user's rights through
// the desktop's shell; where that way fails, the usual start follows.
TEST(ElevationTest, PlayFromAnElevatedPanelStartsTheGameAsTheDesktopUser) {
  struct Row {
    const char* name;
    std::string patch;
    bool as_desktop_user;
  };
  const std::string elevated = std::string(kWindows10) + R"(, "uac": true, "token": "elevated")";
  const Row rows[] = {
      {"elevated", Profile(elevated), true},
      {"elevated, the desktop's shell fails", Profile(elevated + R"(, "desktop_shell": false)"), false},
      {"control off", Profile(std::string(kWindows10) + R"(, "uac": false)"), false},
      {"Windows 98", "{}", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto machine = SampleMachine(row.patch, "dialog 102 press 1002\n");
    InstallWithSharedStrings(*machine);
    const SetupRun run = StartSetup(*machine, "D:\\SetupTvx.exe");
    EXPECT_EQ(run.startup, StartupResult::Continue)
        << StartupResultName(run.startup) << machine->Transcript();
    ASSERT_TRUE(run.play);
    EXPECT_EQ(run.play->outcome, PlayOutcome::Started);
    EXPECT_EQ(run.play->as_desktop_user, row.as_desktop_user);
    EXPECT_EQ(Contains(machine->Journal(),
                       "run as desktop user C:\\\\Tarvex\\\\Zephra\\\\Zephra.exe in "
                       "C:\\\\Tarvex\\\\Zephra\\\\. with -l:English -cdrom:D\n"),
              row.as_desktop_user)
        << machine->Journal();
    // The usual start runs the test game, which writes its run down.
    EXPECT_EQ(GameRuns(*machine).size(), row.as_desktop_user ? 0u : 1u);
  }
}

}  // namespace
}  // namespace tvx::testing
