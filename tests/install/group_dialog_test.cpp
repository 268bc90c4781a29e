// The program-group dialog on the simulated machine: its layout, what it
// accepts and refuses, and its Browse button.
#include <gtest/gtest.h>

#include <memory>

#include "install/group_dialog.h"
#include "platform/file_services.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

constexpr const char* kPrograms = "C:\\WINDOWS\\Start Menu\\Programs";
const std::string kDefaultGroup = std::string(kPrograms) + "\\Tarvex Games\\";
constexpr const char* kRefused = "box IDOK caption=\"S144\" text~\"S145\"\n";

class GroupDialogTest : public ::testing::Test {
 protected:
  void Make(const std::string& answers) {
    testing::TestMachine::Options options;
    options.answers = answers;
    machine_ = std::make_unique<testing::TestMachine>(options);
    ASSERT_TRUE(CreateDirectoryChain(machine_->platform().files, std::string(kPrograms) + "\\Accessories"));
  }
  // Runs the dialog on the default group; answers its end code.
  int Run(const std::string& group = kDefaultGroup, TextLookup strings = Label) {
    dialog_ = std::make_unique<GroupDialog>(machine_->platform(), ui_state_, kPrograms, group, strings);
    return machine_->platform().ui.RunDialog(*dialog_);
  }
  static std::string Label(int number) { return "S" + std::to_string(number); }
  host::HostUi& ui() { return machine_->machine().ui(); }
  const host::HostUi::DialogRun& GroupRun() { return ui().dialogs().back(); }
  std::string LastEdit() { return GroupRun().view->state().control(GroupDialog::kGroupEdit).text; }
  void ExpectAnswersFollowed() { EXPECT_EQ(ui().AnswerProblems(), std::vector<std::string>{}); }

  std::unique_ptr<testing::TestMachine> machine_;
  UiProcessState ui_state_;
  std::unique_ptr<GroupDialog> dialog_;
};

TEST_F(GroupDialogTest, ItShowsTheGroupBelowTheProgramsFolderAndFitsItsWidthToTheTexts) {
  struct Row {
    const char* label;
    std::string title;
    std::string group;
    int width;
  };
  // The host measures 6 pixels a character; the relative text gets 140 more.
  const Row rows[] = {
      {"group text", "S140", kDefaultGroup, 13 * 6 + 140},
      {"long title", std::string(50, 'T'), kDefaultGroup, 50 * 6},
      {"longer group", "S140", std::string(kPrograms) + "\\Tarvex Games\\Zephra Collection\\", 31 * 6 + 140}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Make("dialog 139 press 1");
    const std::string title = row.title;
    Run(row.group, [&](int number) { return number == 140 ? title : Label(number); });
    ExpectAnswersFollowed();
    const host::DialogState& shown = GroupRun().shown;
    EXPECT_EQ(shown.caption, row.title);
    EXPECT_EQ(shown.control(GroupDialog::kGroupEdit).text,
              row.group.substr(std::string(kPrograms).size() + 1));
    EXPECT_EQ(shown.control(GroupDialog::kGroupBox).text, "S141");
    EXPECT_EQ(shown.control(GroupDialog::kBrowse).text, "S142");
    EXPECT_EQ(shown.control(1).text, "S143");
    const int w = row.width;
    // Position and height kept; every control keeps its height and top.
    EXPECT_EQ(shown.window, RectAt(0, 0, w, 128));
    EXPECT_EQ(shown.control(GroupDialog::kGroupBox).rect, RectAt(10, 11, w - 20, 56));
    EXPECT_EQ(shown.control(GroupDialog::kBrowse).rect, RectAt(w - 90, 31, 70, 23));
    EXPECT_EQ(shown.control(1).rect, RectAt(w / 2 - 75 / 2, 73, 75, 23));
    EXPECT_EQ(shown.control(GroupDialog::kGroupEdit).rect, RectAt(20, 31, w - 120, 23));
  }
}

TEST_F(GroupDialogTest, OkTakesTheTypedGroupInsideTheProgramsFolder) {
  struct Row {
    const char* typed;
    std::string group;
  };
  const Row rows[] = {{"My Games", std::string(kPrograms) + "\\My Games\\"},
                      {"My Games\\\\", std::string(kPrograms) + "\\My Games\\"},
                      {"Games\\\\Arcade", std::string(kPrograms) + "\\Games\\Arcade\\"},
                      {"", std::string(kPrograms) + "\\"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    Make(std::string("dialog 139 type 1012 \"") + row.typed + "\"\ndialog 139 press 1");
    EXPECT_EQ(Run(), DialogModel::kOkCommand);
    ExpectAnswersFollowed();
    EXPECT_EQ(dialog_->group(), row.group);
    // Pressed with the mouse: the panel's Return key stays armed.
    EXPECT_TRUE(ui_state_.return_key_armed);
  }
}

TEST_F(GroupDialogTest, ReturnClearsTheArmedReturnKey) {
  Make("dialog 139 return");
  EXPECT_EQ(Run(), DialogModel::kOkCommand);
  EXPECT_EQ(dialog_->group(), kDefaultGroup);
  EXPECT_FALSE(ui_state_.return_key_armed);
}

TEST_F(GroupDialogTest, ARefusedGroupIsToldAndThePreviousOneShowsAgain) {
  const std::string rows[] = {"C:\\\\Games",          // a second drive
                              "..\\\\Desktop",        // out of the Programs folder
                              "Games\\\\\\\\Arcade",  // doubled backslash
                              "Ga*mes",               // a wildcard
                              std::string(170, 'a'),  // past 180 characters
                              "StartUp",              // run at every start
                              "STARTU~1\\\\Games",    // a short name
                              "PROGRA~1\\\\Games",    // another short name
                              "Games.",               // dropped dot: "Games"
                              "Games \\\\Arcade"};    // dropped blank
  for (const std::string& typed : rows) {
    SCOPED_TRACE(typed);
    Make("dialog 139 type 1012 \"" + typed + "\"\ndialog 139 press 1\n" + kRefused + "dialog 139 escape");
    EXPECT_EQ(Run(), DialogModel::kCancelCommand);
    ExpectAnswersFollowed();
    EXPECT_EQ(dialog_->group(), kDefaultGroup);
    EXPECT_EQ(LastEdit(), "Tarvex Games\\");
  }
}

TEST_F(GroupDialogTest, BrowseOffersTheGroupsAndTakesOnlyOneInsideThePrograms) {
  struct Row {
    const char* label;
    std::string in_browser;
    bool refused;
    std::string group;
  };
  const std::string accessories =
      "dialog 148 expand 1028 Programs\n"
      "dialog 148 select-item 1028 \"Programs\\\\Accessories\"\ndialog 148 press 1\n";
  const Row rows[] = {
      {"a group chosen", accessories, false, std::string(kPrograms) + "\\Accessories\\"},
      {"browser cancelled", "dialog 148 escape\n", false, kDefaultGroup},
      {"a folder beside the Programs", "dialog 148 type 1029 Elsewhere\ndialog 148 press 1\n", true,
       kDefaultGroup},
      {"a name that only begins alike", "dialog 148 type 1029 \"Programs2\\\\Games\"\ndialog 148 press 1\n",
       true, kDefaultGroup},
      {"the Programs folder itself", "dialog 148 type 1029 Programs\ndialog 148 press 1\n", false,
       std::string(kPrograms) + "\\"},
      {"out again through ..",
       "dialog 148 type 1029 \"Programs\\\\..\\\\..\\\\Desktop\"\ndialog 148 press 1\n", true, kDefaultGroup},
      {"the Startup folder", "dialog 148 type 1029 \"Programs\\\\StartUp\"\ndialog 148 press 1\n", true,
       kDefaultGroup},
      {"a short name", "dialog 148 type 1029 \"Programs\\\\TARVEX~1\"\ndialog 148 press 1\n", true,
       kDefaultGroup}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Make("dialog 139 press 1010\n" + row.in_browser + (row.refused ? kRefused : "") + "dialog 139 press 1");
    EXPECT_EQ(Run(), DialogModel::kOkCommand);
    ExpectAnswersFollowed();
    EXPECT_EQ(dialog_->group(), row.group);
    ASSERT_EQ(ui().dialogs().size(), 2u);
    const host::DialogState& browser = ui().dialogs()[0].shown;
    EXPECT_EQ(browser.id, 148);
    EXPECT_EQ(browser.caption, "S300");
    EXPECT_EQ(browser.control(1029).text, "Programs\\Tarvex Games\\");
  }
}

}  // namespace
}  // namespace tvx
