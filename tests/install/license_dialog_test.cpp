// The licence agreement on the simulated machine: which file it shows,
// the dialog's texts and text box, and what counts as accepted.
#include <gtest/gtest.h>

#include <memory>

#include "install/license_dialog.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

constexpr const char* kProgram = "D:\\Setup\\SetupTvx.exe";
constexpr const char* kLicenseText = "1. You may play.\r\n2. You may not copy.\r\n";

class LicenseDialogTest : public ::testing::Test {
 protected:
  void Make(const std::string& answers) {
    testing::TestMachine::Options options;
    options.answers = answers;
    options.run.program_path = kProgram;
    machine_ = std::make_unique<testing::TestMachine>(options);
    script_.languages.keys = {"English", "Francais"};
  }
  bool Show(std::size_t language = 0) {
    return ShowLicenseAgreement(machine_->platform(), ui_state_, script_, language, Label, "Zephra");
  }
  static std::string Label(int number) { return "S" + std::to_string(number); }
  host::HostUi& ui() { return machine_->machine().ui(); }
  void ExpectAnswersFollowed() { EXPECT_EQ(ui().AnswerProblems(), std::vector<std::string>{}); }

  std::unique_ptr<testing::TestMachine> machine_;
  UiProcessState ui_state_;
  InstallScript script_;
};

TEST_F(LicenseDialogTest, ItShowsTheLicenceBetweenTheTwoTextsWithTheButtonsLabelled) {
  Make("dialog 175 press 1");
  machine_->WriteFile("D:\\Setup\\License.txt", kLicenseText);
  script_.languages.sixth_fields = {"License.txt"};
  EXPECT_TRUE(Show());
  ExpectAnswersFollowed();
  ASSERT_EQ(ui().dialogs().size(), 1u);
  const host::DialogState& shown = ui().dialogs()[0].shown;
  EXPECT_EQ(shown.caption, "S270Zephra");
  EXPECT_EQ(shown.control(LicenseDialog::kUpperText).text, "S440");
  EXPECT_EQ(shown.control(LicenseDialog::kLowerText).text, "S441");
  EXPECT_EQ(shown.control(1).text, "S1");
  EXPECT_EQ(shown.control(2).text, "S0");
  const host::ControlState& box = shown.control(LicenseDialog::kLicenseText);
  EXPECT_EQ(box.kind, host::ControlClass::Edit);
  EXPECT_EQ(box.text, kLicenseText);
  // Template 175 on the host: the upper text ends 44 pixels into the client
  // area, the lower one starts at 252; the window is 456 wide and its client
  // area begins 21 pixels below its top, where the rule takes 18 off.
  EXPECT_EQ(box.rect, (Rect{10, 44 + 21 - 18, 456 - 10, 252 + 21 - 18 - 5}));
}

TEST_F(LicenseDialogTest, OnlyOkAccepts) {
  struct Row {
    const char* answers;
    bool accepted;
    bool return_armed;
  };
  const Row rows[] = {{"dialog 175 press 1", true, true},
                      {"dialog 175 return", true, false},
                      {"dialog 175 press 2", false, true},
                      {"dialog 175 escape", false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answers);
    Make(row.answers);
    ui_state_ = {};
    machine_->WriteFile("D:\\Setup\\License.txt", kLicenseText);
    script_.languages.sixth_fields = {"License.txt"};
    EXPECT_EQ(Show(), row.accepted);
    ExpectAnswersFollowed();
    EXPECT_EQ(ui().dialogs().size(), 1u);
    EXPECT_EQ(ui_state_.return_key_armed, row.return_armed);
  }
}

TEST_F(LicenseDialogTest, TheFileIsFoundBesideTheProgramOrAsNamedAndIsOptional) {
  struct Row {
    const char* label;
    std::vector<std::string> names;
    std::size_t language;
    std::string path;
    bool shown;
  };
  const Row rows[] = {
      {"beside the program", {"License.txt"}, 0, "D:\\Setup\\License.txt", true},
      {"in a folder beside the program", {"Legal\\Eng.txt"}, 0, "D:\\Setup\\Legal\\Eng.txt", true},
      {"from the root of the current drive", {"\\Legal\\Eng.txt"}, 0, "\\Legal\\Eng.txt", true},
      {"the second language's", {"License.txt", "Licence.txt"}, 1, "D:\\Setup\\Licence.txt", true},
      {"none for the second language", {"License.txt"}, 1, "", false},
      {"an empty name", {""}, 0, "", false},
      {"no licence list", {}, 0, "", false},
      {"a file that is not there", {"Missing.txt"}, 0, "D:\\Setup\\Missing.txt", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    // Refused if shown: a licence that is not shown counts as accepted.
    Make("dialog 175 press 2");
    machine_->WriteFile("D:\\Setup\\License.txt", "english");
    machine_->WriteFile("D:\\Setup\\Licence.txt", "francais");
    machine_->WriteFile("D:\\Setup\\Legal\\Eng.txt", "legal");
    machine_->WriteFile("D:\\Legal\\Eng.txt", "root legal");
    machine_->platform().files.ChangeDirectory("D:\\Setup");
    script_.languages.sixth_fields = row.names;
    EXPECT_EQ(LicenseFilePath(machine_->platform().files, script_, row.language), row.path);
    EXPECT_EQ(Show(row.language), !row.shown);
    EXPECT_EQ(ui().dialogs().size(), row.shown ? 1u : 0u);
    if (row.shown) {
      const std::string expected = machine_->ReadFile(row.path[0] == '\\' ? "D:" + row.path : row.path);
      EXPECT_EQ(ui().dialogs()[0].shown.control(LicenseDialog::kLicenseText).text, expected);
    }
  }
}

}  // namespace
}  // namespace tvx
