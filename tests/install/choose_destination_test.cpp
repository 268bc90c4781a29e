// The destination step on the simulated machine: the drive the default
// path is put on, the directory dialog's layout, its checks in order and
// its Browse button.
#include <gtest/gtest.h>

#include <memory>

#include "install/choose_destination.h"
#include "install/destination_dialog.h"
#include "platform/file_services.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

constexpr const char* kDefaultPath = "C:\\Tarvex\\Zephra\\";
constexpr std::uint64_t kItems = 10;

// C: holds Windows; E: is too small for anything; G: is large.
std::string Drives(const char* c_capacity) {
  return std::string(R"({"drives": [)") + R"({"letter": "C", "type": "fixed", "label": "", "capacity": )" +
         c_capacity + R"(, "used": 0},)" + R"({"letter": "D", "type": "cdrom", "label": "ZEPHRA"},)" +
         R"({"letter": "E", "type": "fixed", "label": "SMALL", "capacity": 5767168, "used": 0},)" +
         R"({"letter": "G", "type": "fixed", "label": "GAMES", "capacity": 2147483648, "used": 0}]})";
}

// Typed into the answer script: quoted, backslashes doubled.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return quoted + "\"";
}

class ChooseDestinationTest : public ::testing::Test {
 protected:
  void Make(const std::string& answers, const char* c_capacity = "1073741824") {
    testing::TestMachine::Options options;
    options.answers = answers;
    options.profile_json = testing::PatchedProfile(Drives(c_capacity));
    machine_ = std::make_unique<testing::TestMachine>(options);
    drives_ = ListFixedDrives(platform().files);
    FitsOnSomeDrive(drives_, 1000, kItems, 0, "");
  }
  DestinationRequest Request(std::string path, std::string previous = {}) {
    return {platform(), ui_state_, Label, drives_, std::move(path), std::move(previous), 1000, kItems};
  }
  DriveInfo& Drive(char letter) {
    for (DriveInfo& drive : drives_)
      if (drive.root[0] == letter) return drive;
    throw std::logic_error("no such drive");
  }
  static std::string Label(int number) { return "S" + std::to_string(number); }
  Platform& platform() { return machine_->platform(); }
  host::HostUi& ui() { return machine_->machine().ui(); }
  const host::HostUi::DialogRun& LastRun() { return ui().dialogs().back(); }
  void ExpectAnswersFollowed() { EXPECT_EQ(ui().AnswerProblems(), std::vector<std::string>{}); }

  std::unique_ptr<testing::TestMachine> machine_;
  UiProcessState ui_state_;
  std::vector<DriveInfo> drives_;
};

TEST_F(ChooseDestinationTest, TheDefaultPathGoesOnADriveWithRoom) {
  struct Row {
    const char* label;
    std::string path;
    bool windows_drive_full;  // C: has no room left
    bool g_fits_flag;         // G: as the last space check left it
    bool g_has_room;
    std::optional<std::string> placed;
  };
  const Row rows[] = {
      {"no drive: the Windows drive", "\\Tarvex\\Zephra\\", false, true, true, "C:\\Tarvex\\Zephra\\"},
      {"no drive, Windows drive full: the first with room", "\\Tarvex\\Zephra\\", true, true, true,
       "G:\\Tarvex\\Zephra\\"},
      {"the first whose flag says it fits", "\\Tarvex\\Zephra\\", true, true, false, "G:\\Tarvex\\Zephra\\"},
      {"or that has room by a fresh reading", "\\Tarvex\\Zephra\\", true, false, true,
       "G:\\Tarvex\\Zephra\\"},
      {"nowhere", "\\Tarvex\\Zephra\\", true, false, false, std::nullopt},
      {"its own drive has room", "C:\\Games\\", false, true, true, "C:\\Games\\"},
      {"its own drive full: the letter replaced", "C:\\Games\\", true, true, true, "G:\\Games\\"},
      {"a drive that is not there: the letter replaced", "Z:\\Games\\", false, true, true, "C:\\Games\\"},
      {"its own drive full and nowhere else", "C:\\Games\\", true, false, false, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Make("");
    const std::uint64_t cluster = Drive('C').cluster_blocks;
    // Exactly the room C: has, or one block more.
    const std::uint64_t blocks = Drive('C').free_blocks - kItems * cluster + (row.windows_drive_full ? 1 : 0);
    if (!row.g_has_room) machine_->WriteSizedFile("G:\\Big.dat", 2147483648 - 4096 * 1024);
    Drive('C').fits = !row.windows_drive_full;
    Drive('G').fits = row.g_fits_flag;
    DestinationRequest request = Request(row.path);
    request.required_blocks = blocks;
    EXPECT_EQ(PlaceOnDrive(request), row.placed);
  }
}

TEST_F(ChooseDestinationTest, WithoutTheWindowsDriveAmongTheFixedDrivesAPathWithoutDriveFails) {
  Make("");
  drives_.erase(drives_.begin());
  DestinationRequest without_drive = Request("\\Tarvex\\Zephra\\");
  EXPECT_EQ(PlaceOnDrive(without_drive), std::nullopt);
  DestinationRequest with_drive = Request("C:\\Tarvex\\Zephra\\");
  EXPECT_EQ(PlaceOnDrive(with_drive), "G:\\Tarvex\\Zephra\\");
}

TEST_F(ChooseDestinationTest, TheDialogShowsThePathAndFitsItsWidthToTheTexts) {
  struct Row {
    const char* label;
    std::string title;
    std::string group;
    std::string path;
    int width;
  };
  // The host measures 6 pixels a character; the path gets 140 more.
  const std::string long_path = "C:\\Tarvex\\Games\\Zephra Collection\\Second Edition\\Zephra\\";
  const Row rows[] = {
      {"short path", "S120", "S121", kDefaultPath, 17 * 6 + 140},
      {"long path", "S120", "S121", long_path, 56 * 6 + 140},
      {"long title", std::string(60, 'T'), "S121", kDefaultPath, 60 * 6},
      {"long group text", "S120", std::string(70, 'G'), kDefaultPath, 70 * 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Make("dialog 132 press 2");
    DestinationRequest request = Request(row.path);
    request.text = [&](int number) {
      return number == 120 ? row.title : number == 121 ? row.group : Label(number);
    };
    EXPECT_EQ(ChooseDestination(request), std::nullopt);
    ExpectAnswersFollowed();
    const host::DialogState& shown = LastRun().shown;
    EXPECT_EQ(shown.id, 132);
    EXPECT_EQ(shown.caption, row.title);
    EXPECT_EQ(shown.control(DestinationDialog::kGroupBox).text, row.group);
    EXPECT_EQ(shown.control(DestinationDialog::kBrowse).text, "S122");
    EXPECT_EQ(shown.control(1).text, "S123");
    EXPECT_EQ(shown.control(2).text, "S127");
    EXPECT_EQ(shown.control(DestinationDialog::kPathEdit).text, row.path);
    const int w = row.width;
    // Position and height kept. Each control keeps its height; its top is
    // taken from the outer corner less 22 pixels, where the host's client
    // area starts 21 below: one pixel up from the template's 11, 36 and 91.
    EXPECT_EQ(shown.window, RectAt(0, 0, w, 151));
    EXPECT_EQ(shown.control(DestinationDialog::kGroupBox).rect, RectAt(10, 10, w - 20, 65));
    EXPECT_EQ(shown.control(DestinationDialog::kBrowse).rect, RectAt(w - 90, 35, 70, 23));
    EXPECT_EQ(shown.control(1).rect, RectAt(w / 2 - 75 - 5, 90, 75, 23));
    EXPECT_EQ(shown.control(2).rect, RectAt(w / 2 + 5, 90, 75, 23));
    EXPECT_EQ(shown.control(DestinationDialog::kPathEdit).rect, RectAt(20, 35, w - 120, 23));
  }
}

TEST_F(ChooseDestinationTest, OkChecksThePathInOrderAndTellsTheFirstRefusal) {
  struct Row {
    std::string typed;
    std::string refusal;  // the box's text; empty when accepted
    std::uint32_t style;
  };
  constexpr std::uint32_t kWarn = box::kIconExclamation;
  const Row rows[] = {
      {"C:\\Games\\*", "S128", kWarn},
      {"C:\\\\Games", "S128", kWarn},
      {"Games", "S128", kWarn},
      // Places the uninstaller would empty: refused as invalid paths.
      {"C:\\", "S128", kWarn},
      {"C:", "S128", kWarn},
      {"c:\\windows", "S128", kWarn},
      {"C:\\WINDOWS\\SYSTEM\\", "S128", kWarn},
      {"C:\\WINDOWS\\Start Menu\\Programs", "S128", kWarn},
      {"C:\\Program Files", "S128", kWarn},
      {"C:\\Games\\..\\WINDOWS", "S128", kWarn},
      {"F:\\Games", "S126", kWarn},
      {"F:\\Games*", "S128", kWarn},
      {"E:\\Games", "S125", kWarn},
      {"F:\\WINDOWS\\Games", "S126", kWarn},
      {"C:\\WINDOWS\\Games", "S129S132S133", box::kOk},
      {"c:\\windows\\games\\", "S129S132S133", box::kOk},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    Make("dialog 132 type 1012 " + Quoted(row.typed) +
         "\ndialog 132 press 1\nbox IDOK caption=\"S124\" text~" + Quoted(row.refusal) +
         "\ndialog 132 escape");
    platform().registry.CreateKey(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion");
    platform().registry.SetValue(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                                 "ProgramFilesDir", RegistryValue{RegistryType::String, "C:\\Program Files"});
    DestinationRequest request = Request(kDefaultPath);
    EXPECT_EQ(ChooseDestination(request), std::nullopt);
    ExpectAnswersFollowed();
    char style[16];
    std::snprintf(style, sizeof style, "0x%08X", row.style);
    EXPECT_NE(machine_->Transcript().find("text=\"" + row.refusal + "\" style=" + style), std::string::npos)
        << machine_->Transcript();
    // The refused text stays for the user to mend.
    EXPECT_EQ(LastRun().view->state().control(DestinationDialog::kPathEdit).text, row.typed);
  }
}

TEST_F(ChooseDestinationTest, AnAcceptedPathEndsInABackslashWithoutTrailingBlanks) {
  struct Row {
    std::string typed;
    std::string previous;
    std::string question_answer;  // the lines for the question about an existing folder
    std::optional<std::string> chosen;
  };
  const std::string no_then_escape = "dialog 150 press 2\ndialog 132 escape\n";
  const Row rows[] = {
      {"C:\\Games\\Zephra", "", "", "C:\\Games\\Zephra\\"},
      {"C:\\Games\\Zephra   ", "", "", "C:\\Games\\Zephra\\"},
      {"C:\\Games\\Zephra\\", "", "", "C:\\Games\\Zephra\\"},
      {"G:\\Games", "", "", "G:\\Games\\"},
      {"C:\\WINDOWSGAMES", "", "", "C:\\WINDOWSGAMES\\"},  // beside the Windows folder, not in it
      {"C:\\Existing", "", "dialog 150 press 1\n", "C:\\Existing\\"},
      {"C:\\Existing", "", no_then_escape, std::nullopt},
      {"C:\\Existing", "C:\\EXISTING\\", "", "C:\\Existing\\"},
      {"C:\\Existing", "C:\\Existing\\Zephra\\", "", "C:\\Existing\\"},
      {"C:\\Existing", "C:\\Other\\", no_then_escape, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed + " after " + row.previous);
    Make("dialog 132 type 1012 " + Quoted(row.typed) + "\ndialog 132 press 1\n" + row.question_answer);
    ASSERT_TRUE(CreateDirectoryChain(platform().files, "C:\\Existing"));
    DestinationRequest request = Request(kDefaultPath, row.previous);
    EXPECT_EQ(ChooseDestination(request), row.chosen);
    ExpectAnswersFollowed();
    if (!row.question_answer.empty()) {
      const host::DialogState& question = ui().dialogs()[0].shown;
      EXPECT_EQ(question.id, 150);
      EXPECT_EQ(question.caption, "S124");
      EXPECT_EQ(question.control(1017).text, "S134S282");
    }
  }
}

TEST_F(ChooseDestinationTest, ReturnOnTheQuestionDisarmsThePanelsReturnKey) {
  Make("dialog 132 type 1012 \"C:\\\\Existing\"\ndialog 132 return\ndialog 150 return");
  ASSERT_TRUE(CreateDirectoryChain(platform().files, "C:\\Existing"));
  DestinationRequest request = Request(kDefaultPath);
  EXPECT_EQ(ChooseDestination(request), "C:\\Existing\\");
  ExpectAnswersFollowed();
  EXPECT_FALSE(ui_state_.return_key_armed);
}

TEST_F(ChooseDestinationTest, BrowseFillsTheFieldWithTheChosenFolder) {
  struct Row {
    const char* label;
    std::string in_browser;
    std::string field;
  };
  const Row rows[] = {
      {"a folder chosen",
       "dialog 148 expand 1028 \"NoLabel [C:]\"\n"
       "dialog 148 select-item 1028 \"NoLabel [C:]\\\\Games\"\ndialog 148 press 1\n",
       "C:\\Games\\"},
      {"a folder typed", "dialog 148 type 1029 \"G:\\\\Zephra\"\ndialog 148 press 1\n", "G:\\Zephra\\"},
      {"cancelled", "dialog 148 escape\n", kDefaultPath},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Make("dialog 132 press 1010\n" + row.in_browser + "dialog 132 escape");
    ASSERT_TRUE(CreateDirectoryChain(platform().files, "C:\\Games"));
    DestinationRequest request = Request(kDefaultPath);
    EXPECT_EQ(ChooseDestination(request), std::nullopt);
    ExpectAnswersFollowed();
    ASSERT_EQ(ui().dialogs().size(), 2u);
    const host::DialogState& browser = ui().dialogs()[0].shown;
    EXPECT_EQ(browser.id, 148);
    EXPECT_EQ(browser.caption, "S290");
    EXPECT_EQ(browser.control(1029).text, kDefaultPath);
    // Only the drives with room are offered: E: is too small.
    std::vector<std::string> roots;
    const host::TreeState& tree = browser.control(1028).tree;
    for (TreeItem root : tree.roots) roots.push_back(tree.Node(root)->text);
    EXPECT_EQ(roots, (std::vector<std::string>{"NoLabel [C:]", "GAMES [G:]"}));
    EXPECT_EQ(LastRun().view->state().control(DestinationDialog::kPathEdit).text, row.field);
  }
}

}  // namespace
}  // namespace tvx
