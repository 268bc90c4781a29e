// "-uninstall" as the uninstall entry starts it, with and without the
// product's name, on the sample disc's product installed in C:\Tarvex\Zephra.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/file_services.h"
#include "shell/front_panel.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

using testing::TestMachine;

constexpr const char* kDirectory = "C:\\Tarvex\\Zephra\\";
constexpr const char* kIni = "C:\\WINDOWS\\Tarvex\\tvx.ini";

// The sample installed under its second configuration, English.
std::unique_ptr<TestMachine> InstalledSample(const std::string& answers) {
  TestMachine::Options options;
  options.profile_file = testing::ExampleProfile("win98");
  options.answers = answers;
  auto machine = std::make_unique<TestMachine>(options);
  // What an installation leaves: the script and the product's strings with
  // the product, the common strings in the common folder.
  const std::filesystem::path disc = testing::SampleDisc() / "InstData";
  auto put = [&](const std::string& name, const std::string& folder) {
    std::ifstream in(disc / name, std::ios::binary);
    machine->WriteFile(folder + name, std::string(std::istreambuf_iterator<char>(in), {}));
  };
  for (const char* name : {"tvx.ins", "zephra.eng", "zephra.fra"})
    put(name, std::string(kDirectory) + "InstData\\");
  for (const char* name : {"strings.eng", "strings.fra"}) put(name, "C:\\WINDOWS\\Tarvex\\");
  for (const char* file : {"Zephra.exe", "Zephra.cfg", "Data\\Zephra.dat", "Data\\Textures.dat"})
    machine->WriteFile(kDirectory + std::string(file), "x");
  machine->WriteFile(
      kIni, std::string("[SYSTEM]\r\n\r\n[INSTALLED PRODUCTS]\r\nZephra\r\n\r\n[Zephra]\r\nDirectory=") +
                kDirectory + "\r\nLanguage=English\r\nConfiguration=1\r\n");
  return machine;
}

TEST(UninstallModeTest, TheEntrysCommandRemovesTheProductWithOrWithoutItsName) {
  struct Row {
    const char* label;
    const char* command_line;
    std::string answers;
    StartupResult result;
    std::optional<UninstallResult> uninstall;
    bool removed;
  };
  const Row rows[] = {
      {"named", "\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\" -uninstall Zephra", "dialog 150 press 1\n",
       StartupResult::Continue, UninstallResult::Removed, true},
      {"named, refused", "SetupTvx.exe -uninstall Zephra", "dialog 150 press 2\n", StartupResult::Continue,
       UninstallResult::Cancelled, false},
      {"chosen in dialog 147", "SetupTvx.exe -uninstall", "dialog 147 press 1\ndialog 150 press 1\n",
       StartupResult::Continue, UninstallResult::Removed, true},
      {"choice cancelled", "SetupTvx.exe -uninstall", "dialog 147 press 2\n", StartupResult::NoScriptPath,
       std::nullopt, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto machine = InstalledSample(row.answers);
    Session session(machine->platform());
    FrontPanel panel(session, row.command_line);
    panel.Run();
    EXPECT_EQ(panel.result(), row.result);
    EXPECT_EQ(panel.uninstall(), row.uninstall);
    EXPECT_EQ(IsDirectory(machine->platform().files, "C:\\Tarvex\\Zephra"), !row.removed);
    EXPECT_EQ(machine->ReadFile(kIni).find("[Zephra]") == std::string::npos, row.removed);
    if (row.uninstall) {
      EXPECT_EQ(session.product_argument, "Zephra");
    }
    EXPECT_EQ(machine->machine().ui().AnswerProblems(), std::vector<std::string>{});
    EXPECT_EQ(machine->Transcript().find("Erreur"), std::string::npos) << machine->Transcript();
  }
}

TEST(UninstallModeTest, AnEmptyListOffersNothingToUninstall) {
  TestMachine::Options options;
  options.answers = "dialog 147 press 1\n";
  TestMachine machine(options);
  machine.WriteFile(kIni, "[SYSTEM]\r\n\r\n[INSTALLED PRODUCTS]\r\n");
  Session session(machine.platform());
  FrontPanel panel(session, "SetupTvx.exe -uninstall");
  panel.Run();
  EXPECT_EQ(panel.result(), StartupResult::NoScriptPath);
  EXPECT_EQ(session.product_argument, "");
  EXPECT_NE(machine.Transcript().find("dialog id=147"), std::string::npos) << machine.Transcript();
}

TEST(UninstallModeTest, ThePanelsUninstallButtonRemovesAndRefreshesTheButtons) {
  auto machine = InstalledSample("dialog 102 press 1003\ndialog 150 press 1\ndialog 102 press 2\n");
  machine->CopyIn(testing::SampleDisc() / "InstData", "D:\\InstData");
  Session session(machine->platform());
  FrontPanel panel(session, "SetupTvx.exe");
  panel.Run();
  EXPECT_EQ(panel.uninstall(), UninstallResult::Removed);
  ASSERT_TRUE(panel.panel());
  EXPECT_FALSE(panel.panel()->states().uninstall);
  EXPECT_TRUE(panel.panel()->states().install);
  EXPECT_FALSE(IsDirectory(machine->platform().files, "C:\\Tarvex\\Zephra"));
}

}  // namespace
}  // namespace tvx
