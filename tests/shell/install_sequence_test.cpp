// The sample product installed from its disc through the panel's Install
// button on a simulated Windows 98 machine.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "shell/front_panel.h"
#include "shell/play_rig.h"
#include "support/sample_payload.h"

namespace tvx::testing {
namespace {

constexpr const char* kChooseLanguage = "dialog 133 press 1\n";
constexpr const char* kPressInstall = "dialog 102 press 1000\n";
constexpr const char* kNoReadme = "dialog 150 press 2\n";
constexpr const char* kQuit = "dialog 102 escape\n";  // leaves the focus where it is

struct InstallRun {
  std::optional<InstallReport> report;
  ButtonStates buttons;
  bool play_focused = false;
};

// Windows 2000 has DirectX, and its SYSTEM.INI names the Indeo codec: the
// sample's full installation needs no component installer there.
std::unique_ptr<TestMachine> Win2000Machine(const std::string& answers) {
  TestMachine::Options options;
  options.profile_json = SampleInstallProfile("win2000");
  options.disc = SampleDisc();
  options.answers = answers;
  auto machine = std::make_unique<TestMachine>(std::move(options));
  PutSamplePayload(*machine);
  return machine;
}

InstallRun RunInstall(TestMachine& machine) {
  Session session(machine.platform());
  FrontPanel panel(session, "");
  panel.Run();
  InstallRun run{panel.install(), {}, false};
  if (const PanelWindow* window = panel.panel()) {
    run.buttons = window->states();
    const ImageButton* play = window->button(command::kPlay);
    run.play_focused = play && play->face() == ImageButton::Face::Focus;
  }
  return run;
}

TEST(InstallSequenceTest, TheSampleInstallsFromItsDisc) {
  auto machine = Win2000Machine(std::string(kChooseLanguage) + kPressInstall + kQuit);
  const InstallRun run = RunInstall(*machine);
  ASSERT_TRUE(run.report);
  EXPECT_EQ(run.report->outcome, InstallOutcome::Installed) << machine->Transcript();
  EXPECT_EQ(run.report->source_directory, "D:");
  EXPECT_TRUE(run.buttons.play);
  EXPECT_TRUE(run.buttons.uninstall);
  EXPECT_TRUE(run.play_focused);
  const std::string directory = "C:\\Tarvex\\Zephra\\";
  for (const char* file :
       {"Zephra.exe", "Data\\Zephra.dat", "Zephra.ico", "Video\\Intro.avi", "Readme.txt", "Data\\Speech.dat",
        "Zephra.cfg", "Data\\Textures.dat", "InstData\\tvx.ins", "InstData\\zephra.eng"}) {
    SCOPED_TRACE(file);
    EXPECT_TRUE(std::filesystem::exists(machine->HostPath(directory + file)));
  }
  EXPECT_FALSE(std::filesystem::exists(machine->HostPath(directory) / "setup.log"));
  const std::string record = machine->ReadFile("C:\\WINNT\\Tarvex\\tvx.ini");
  EXPECT_NE(record.find("[Zephra]"), std::string::npos) << record;
  EXPECT_NE(record.find("Directory=C:\\Tarvex\\Zephra\\"), std::string::npos) << record;
  // The configuration's library saw the log of every copied file.
  std::string journal = machine->Journal();
  for (std::size_t at = journal.find("\\\\"); at != std::string::npos; at = journal.find("\\\\", at + 1))
    journal.erase(at, 1);
  EXPECT_NE(journal.find("call ConfigureFull with C:\\Tarvex\\Zephra\\setup.log | D:\\Setup\\Full.cfg | "
                         "C:\\Tarvex\\Zephra"),
            std::string::npos)
      << journal;
  EXPECT_NE(journal.find("D:\\Program\\Zephra.exe=C:\\Tarvex\\Zephra\\Zephra.exe"), std::string::npos)
      << journal;
  RegistryValue command;
  machine->Open()->platform().registry.QueryValue(
      RegistryRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\uninstall\\Zephra",
      "UninstallString", command);
  EXPECT_EQ(command.data, "\"C:\\WINNT\\Tarvex\\SetupTvx.exe\" -uninstall Zephra");
}

// Windows 98 has no DirectX: the disc's setup runs, and when it asks for a
// restart the installation ends by offering one.
TEST(InstallSequenceTest, ADirectXSetupAskingForARestartIsFollowedByTheOffer) {
  struct Row {
    const char* name;
    int directx_answer;
    const char* restart_answer;  // null: no offer expected
  };
  const Row rows[] = {{"restart wanted, accepted", 1, "dialog 150 press 1\n"},
                      {"restart wanted, declined", 1, "dialog 150 press 2\n"},
                      {"no restart wanted", 0, nullptr}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    nlohmann::json profile = nlohmann::json::parse(SampleInstallProfile("win98"));
    profile["libraries"]["D:\\Dsetup.dll"]["DirectXSetupA"] = row.directx_answer;
    TestMachine::Options options;
    options.profile_json = profile.dump();
    options.disc = SampleDisc();
    options.answers = std::string(kChooseLanguage) + kPressInstall + kNoReadme +
                      (row.restart_answer ? row.restart_answer : "") + kQuit;
    TestMachine machine(std::move(options));
    PutSamplePayload(machine);

    const InstallRun run = RunInstall(machine);

    ASSERT_TRUE(run.report);
    EXPECT_EQ(run.report->outcome, InstallOutcome::Installed) << machine.Transcript();
    const std::string journal = machine.Journal();
    EXPECT_NE(journal.find("call DirectXSetupA"), std::string::npos) << journal;
    const bool offered = machine.Transcript().find("Restart now?") != std::string::npos;
    EXPECT_EQ(offered, row.restart_answer != nullptr) << machine.Transcript();
    const bool accepted = row.restart_answer && std::string(row.restart_answer).ends_with("press 1\n");
    EXPECT_EQ(journal.find("restart asked") != std::string::npos, accepted) << journal;
    const std::string entry =
        machine.platform().shell.SpecialFolderPath(SpecialFolder::Startup) + "\\Play Zephra.lnk";
    EXPECT_EQ(machine.platform().files.Attributes(entry).has_value(), accepted);
  }
}

}  // namespace
}  // namespace tvx::testing
