// The folder browser on the simulated machine: the tree it shows, what it
// reads from the disk and when, and the path it answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "platform/file_services.h"
#include "platform/forwarding_file_system.h"
#include "platform/host/host_ui.h"
#include "support/seam_files.h"
#include "support/test_machine.h"
#include "ui/folder_browser.h"

namespace tvx {
namespace {

using host::TreeNode;
using host::TreeState;
using Mode = FolderBrowser::Mode;

std::string Label(int number) { return "S" + std::to_string(number); }

const std::vector<BrowserDrive> kDrives = {{"C:\\", "NoLabel", true}, {"E:\\", "BACKUP", false}};
constexpr const char* kRoot = "NoLabel [C:]";
constexpr const char* kPrograms = "C:\\WINDOWS\\Start Menu\\Programs";

// A file system that reports extra attributes for some folders, as the
// simulated machine keeps only the read-only one.
class AttributeFiles : public ForwardingFileSystem {
 public:
  AttributeFiles(FileSystem& files, std::map<std::string, std::uint32_t> extra)
      : ForwardingFileSystem(files), extra_(std::move(extra)) {}
  FindResult Find(std::string_view pattern) override {
    FindResult result = inner().Find(pattern);
    for (FindEntry& entry : result.entries)
      if (const auto found = extra_.find(entry.name); found != extra_.end())
        entry.attributes |= found->second;
    return result;
  }

 private:
  std::map<std::string, std::uint32_t> extra_;
};

class FolderBrowserTest : public ::testing::Test {
 protected:
  // A machine with C:\Games\Zephra\Saves, C:\Tools and the groups
  // Accessories and Tarvex Games\Zephra, answering the dialog lines.
  void Make(const std::string& answers, const std::string& patch = "{}") {
    testing::TestMachine::Options options;
    options.profile_json = testing::PatchedProfile(patch);
    options.answers = answers;
    machine_ = std::make_unique<testing::TestMachine>(options);
    for (const char* folder :
         {"C:\\Games\\Zephra\\Saves", "C:\\Tools", "C:\\WINDOWS\\Start Menu\\Programs\\Accessories",
          "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games\\Zephra"})
      ASSERT_TRUE(CreateDirectoryChain(files(), folder));
  }
  FileSystem& files() { return machine_->platform().files; }
  int Run(FolderBrowser& browser) { return machine_->platform().ui.RunDialog(browser); }
  FolderBrowser Browser(Mode mode) {
    return FolderBrowser(files(), machine_->platform().shell, mode, kDrives, Label);
  }
  host::HostUi& ui() { return machine_->machine().ui(); }
  const host::DialogState& Shown() { return ui().dialogs().back().shown; }
  const host::DialogState& Last() { return ui().dialogs().back().view->state(); }
  const TreeState& ShownTree() { return Shown().control(FolderBrowser::kTree).tree; }
  const TreeState& LastTree() { return Last().control(FolderBrowser::kTree).tree; }
  void ExpectAnswersFollowed() { EXPECT_EQ(ui().AnswerProblems(), std::vector<std::string>{}); }

  std::unique_ptr<testing::TestMachine> machine_;
};

std::vector<std::string> ChildTexts(const TreeState& tree, const std::string& path) {
  std::vector<std::string> texts;
  for (TreeItem child : tree.Node(tree.Find(path))->children) texts.push_back(tree.Node(child)->text);
  std::sort(texts.begin(), texts.end());
  return texts;
}

const TreeNode& NodeAt(const TreeState& tree, const std::string& path) {
  const TreeNode* node = tree.Node(tree.Find(path));
  if (!node) throw std::runtime_error("no tree item " + path);
  return *node;
}

TEST_F(FolderBrowserTest, DrivesWithRoomAreRootsAndTheirFirstLevelIsReadAtOnce) {
  Make("dialog 148 escape");
  FolderBrowser browser = Browser(Mode::Drives);
  browser.set_path("C:\\Tarvex\\Zephra\\");
  EXPECT_EQ(Run(browser), DialogModel::kCancelCommand);
  ExpectAnswersFollowed();
  EXPECT_EQ(Shown().caption, "S290");
  EXPECT_EQ(Shown().control(1).text, "S292");
  EXPECT_EQ(Shown().control(2).text, "S293");
  EXPECT_EQ(Shown().control(FolderBrowser::kPathEdit).text, "C:\\Tarvex\\Zephra\\");
  const TreeState& tree = ShownTree();
  EXPECT_EQ(tree.image_bitmaps, (std::vector<int>{152, 149, 151, 150, 153}));
  EXPECT_EQ(tree.transparent, 0x00808000u);  // teal: red 0, green 128, blue 128
  // The drive without room is left out.
  ASSERT_EQ(tree.roots.size(), 1u);
  EXPECT_EQ(NodeAt(tree, kRoot).image, 0);
  EXPECT_EQ(ChildTexts(tree, kRoot), (std::vector<std::string>{"Games", "Tools", "WINDOWS"}));
  // One level ahead only: the folders' own subfolders wait for an expansion.
  EXPECT_EQ(NodeAt(tree, "NoLabel [C:]\\Games").image, 1);
  EXPECT_TRUE(NodeAt(tree, "NoLabel [C:]\\Games").children.empty());
  // Cancel keeps the path and gives the image list up.
  EXPECT_EQ(browser.path(), "C:\\Tarvex\\Zephra\\");
  EXPECT_TRUE(LastTree().images_destroyed);
}

TEST_F(FolderBrowserTest, ExpandingReadsTheChildrensSubfoldersOnceAndSetsTheFolderImages) {
  struct Row {
    const char* label;
    std::string answers;
    int games_image;
    std::size_t zephra_children;  // Saves, read when Games opens
  };
  const std::string open_root = "dialog 148 expand 1028 \"NoLabel [C:]\"\n";
  const std::string open_games = "dialog 148 expand 1028 \"NoLabel [C:]\\\\Games\"\n";
  const std::string close_games = "dialog 148 collapse 1028 \"NoLabel [C:]\\\\Games\"\n";
  const Row rows[] = {{"drive opened", open_root, 2, 0},
                      {"folder opened", open_root + open_games, 3, 1},
                      {"folder closed again", open_root + open_games + close_games, 2, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Make(row.answers + "dialog 148 escape");
    FolderBrowser browser = Browser(Mode::Drives);
    Run(browser);
    ExpectAnswersFollowed();
    const TreeState& tree = LastTree();
    EXPECT_EQ(NodeAt(tree, "NoLabel [C:]\\Games").image, row.games_image);
    EXPECT_EQ(NodeAt(tree, "NoLabel [C:]\\Games").value, 1u);
    EXPECT_EQ(ChildTexts(tree, "NoLabel [C:]\\Games"), std::vector<std::string>{"Zephra"});
    // A folder without subfolders keeps the image it was inserted with.
    EXPECT_EQ(NodeAt(tree, "NoLabel [C:]\\Tools").image, 1);
    EXPECT_EQ(NodeAt(tree, "NoLabel [C:]\\Tools").value, 1u);
    const TreeNode& zephra = NodeAt(tree, "NoLabel [C:]\\Games\\Zephra");
    EXPECT_EQ(zephra.children.size(), row.zephra_children);
    EXPECT_EQ(zephra.value, row.zephra_children);
  }
}

TEST_F(FolderBrowserTest, OpeningAFolderAgainReadsNothingNew) {
  Make(
      "dialog 148 expand 1028 \"NoLabel [C:]\"\n"
      "dialog 148 collapse 1028 \"NoLabel [C:]\"\n"
      "dialog 148 expand 1028 \"NoLabel [C:]\"\n"
      "dialog 148 escape");
  FolderBrowser browser = Browser(Mode::Drives);
  Run(browser);
  ExpectAnswersFollowed();
  EXPECT_EQ(ChildTexts(LastTree(), "NoLabel [C:]\\Games"), std::vector<std::string>{"Zephra"});
  EXPECT_EQ(ChildTexts(LastTree(), kRoot), (std::vector<std::string>{"Games", "Tools", "WINDOWS"}));
  const auto& view = *ui().dialogs().back().view;
  // The hourglass shows while each expansion reads, and goes after.
  EXPECT_EQ(view.wait_cursors(), 2);
  EXPECT_FALSE(view.waiting());
}

TEST_F(FolderBrowserTest, OnlyPlainFoldersAreListed) {
  Make("dialog 148 escape");
  for (const char* folder : {"C:\\Hidden", "C:\\System", "C:\\Archived", "C:\\ReadOnly"})
    ASSERT_TRUE(CreateDirectoryChain(files(), folder));
  testing::WriteFile(files(), "C:\\file.txt", "not a folder");
  ASSERT_EQ(files().SetAttributes("C:\\ReadOnly", attribute::kDirectory | attribute::kReadOnly),
            FileError::None);
  AttributeFiles attributed(
      files(),
      {{"Hidden", attribute::kHidden}, {"System", attribute::kSystem}, {"Archived", attribute::kArchive}});
  FolderBrowser browser(attributed, machine_->platform().shell, Mode::Drives, kDrives, Label);
  Run(browser);
  EXPECT_EQ(ChildTexts(ShownTree(), kRoot), (std::vector<std::string>{"Games", "Tools", "WINDOWS"}));
}

TEST_F(FolderBrowserTest, TheStartMenuFolderIsNeverListed) {
  struct Row {
    Mode mode;
    const char* patch;
    const char* answers;
    const char* parent;
    std::vector<std::string> children;
  };
  // In the second row the Start menu lies inside the Programs folder.
  const Row rows[] = {{Mode::Drives,
                       "{}",
                       "dialog 148 expand 1028 \"NoLabel [C:]\"\ndialog 148 escape",
                       "NoLabel [C:]\\WINDOWS",
                       {"Desktop", "FONTS", "SYSTEM"}},
                      {Mode::Programs,
                       R"({"special_folders": {"start_menu": "C:\\WINDOWS\\Start Menu\\Programs\\MENU"}})",
                       "dialog 148 escape",
                       "Programs",
                       {"Accessories", "StartUp", "Tarvex Games"}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.parent);
    Make(row.answers, row.patch);
    FolderBrowser browser = Browser(row.mode);
    Run(browser);
    ExpectAnswersFollowed();
    EXPECT_EQ(ChildTexts(LastTree(), row.parent), row.children);
  }
}

TEST_F(FolderBrowserTest, TheEditShowsTheSelectedFolderAndOkAnswersItWithABackslash) {
  struct Row {
    const char* select;
    const char* shown;
  };
  // Nested items join every text below the drive; the drive itself has no path.
  const Row rows[] = {{"NoLabel [C:]\\\\Games", "C:\\Games"},
                      {"NoLabel [C:]\\\\Games\\\\Zephra", "C:\\Games\\Zephra"},
                      {"NoLabel [C:]\\\\Games\\\\Zephra\\\\Saves", "C:\\Games\\Zephra\\Saves"},
                      {"NoLabel [C:]", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shown);
    Make(std::string("dialog 148 expand 1028 \"NoLabel [C:]\"\n") +
         "dialog 148 expand 1028 \"NoLabel [C:]\\\\Games\"\n" + "dialog 148 select-item 1028 \"" +
         row.select + "\"\ndialog 148 press 1");
    FolderBrowser browser = Browser(Mode::Drives);
    browser.set_path("C:\\Tarvex\\");
    EXPECT_EQ(Run(browser), DialogModel::kOkCommand);
    ExpectAnswersFollowed();
    EXPECT_EQ(Last().control(FolderBrowser::kPathEdit).text, row.shown);
    EXPECT_EQ(browser.path(), std::string(row.shown) + "\\");
  }
}

TEST_F(FolderBrowserTest, WhatTheUserTypesIsTheAnswerInDrivesMode) {
  Make("dialog 148 type 1029 \"D:\\\\Elsewhere\"\ndialog 148 press 1");
  FolderBrowser browser = Browser(Mode::Drives);
  Run(browser);
  EXPECT_EQ(browser.path(), "D:\\Elsewhere\\");
}

TEST_F(FolderBrowserTest, ProgramsModeShowsPathsFromTheProgramsFolderNameAndAnswersThemWhole) {
  Make(
      "dialog 148 expand 1028 Programs\n"
      "dialog 148 select-item 1028 \"Programs\\\\Tarvex Games\\\\Zephra\"\n"
      "dialog 148 press 1");
  FolderBrowser browser = Browser(Mode::Programs);
  browser.set_path(std::string(kPrograms) + "\\Tarvex Games\\");
  EXPECT_EQ(Run(browser), DialogModel::kOkCommand);
  ExpectAnswersFollowed();
  EXPECT_EQ(Shown().caption, "S300");
  EXPECT_EQ(Shown().control(FolderBrowser::kPathEdit).text, "Programs\\Tarvex Games\\");
  const TreeState& tree = LastTree();
  ASSERT_EQ(tree.roots.size(), 1u);
  // Every item of this mode, root and groups, open or not, has image 4.
  for (const TreeNode& node : tree.nodes) EXPECT_EQ(node.image, 4) << node.text;
  EXPECT_EQ(Last().control(FolderBrowser::kPathEdit).text, "Programs\\Tarvex Games\\Zephra");
  EXPECT_EQ(browser.path(), std::string(kPrograms) + "\\Tarvex Games\\Zephra\\");
}

TEST_F(FolderBrowserTest, TheTranscriptShowsTheTree) {
  Make("dialog 148 select-item 1028 \"NoLabel [C:]\\\\Tools\"\ndialog 148 press 1");
  FolderBrowser browser = Browser(Mode::Drives);
  Run(browser);
  ExpectAnswersFollowed();
  const std::string transcript = machine_->Transcript();
  EXPECT_NE(transcript.find("1028={\"NoLabel [C:]\"#0{"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("\"Tools\"#1"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("actions=\"select-item 1028 \"NoLabel [C:]\\Tools\"; press 1\""),
            std::string::npos)
      << transcript;
}

TEST_F(FolderBrowserTest, AnActionOnAnItemThatIsNotThereIsReported) {
  Make("dialog 148 expand 1028 \"NoLabel [C:]\\\\Nowhere\"\ndialog 148 escape");
  FolderBrowser browser = Browser(Mode::Drives);
  Run(browser);
  ASSERT_FALSE(ui().AnswerProblems().empty());
  EXPECT_NE(ui().AnswerProblems()[0].find("cannot expand 1028"), std::string::npos)
      << ui().AnswerProblems()[0];
}

}  // namespace
}  // namespace tvx
