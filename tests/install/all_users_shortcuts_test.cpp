// Shortcuts on systems where an installation may run as another user: from
// NT 6 on they go to the folders all users share, and removal finds them
// there as well as where older installations put them; 95 to XP keep the
// user's folders even where common ones exist.
#include <gtest/gtest.h>

#include "install/remove_shortcuts.h"
#include "install/shortcut_test_support.h"
#include "platform/path_text.h"
#include "support/seam_files.h"

namespace tvx {
namespace {

constexpr const char* kUserPrograms = "C:\\WINDOWS\\Start Menu\\Programs";
constexpr const char* kUserDesktop = "C:\\WINDOWS\\Desktop";
constexpr const char* kCommonPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
constexpr const char* kCommonDesktop = "C:\\Users\\Public\\Desktop";
constexpr const char* kRegistry = "C:\\WINDOWS\\Tarvex\\tvx.ini";
constexpr std::size_t kMinimum = 2;

const std::string kCommonFolders = R"("special_folders": {
  "common_programs": "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
  "common_startup": "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup",
  "common_start_menu": "C:\\ProgramData\\Microsoft\\Windows\\Start Menu",
  "common_desktop": "C:\\Users\\Public\\Desktop"})";

std::string System(int platform, int major, int minor, bool with_common = true) {
  return "{\"os\": {\"platform\": " + std::to_string(platform) + ", \"major\": " + std::to_string(major) +
         ", \"minor\": " + std::to_string(minor) + "}" + (with_common ? ", " + kCommonFolders : "") + "}";
}

struct SystemRow {
  const char* label;
  std::string patch;
  bool common;
};

const SystemRow kSystems[] = {
    {"Windows 98", System(1, 4, 10), false},
    {"NT 4.0", System(2, 4, 0), false},
    {"Windows 2000", System(2, 5, 0), false},
    {"Windows XP", System(2, 5, 1), false},
    {"Vista", System(2, 6, 0), true},
    {"Windows 10 as an unmanifested program sees it", System(2, 6, 2), true},
    {"Windows 10", System(2, 10, 0), true},
    {"NT 6 without common folders", System(2, 6, 2, false), false},
};

bool IsIn(const std::string& file, const std::string& folder) {
  return file.size() > folder.size() &&
         EqualsNoCase(std::string_view(file).substr(0, folder.size()), folder) && file[folder.size()] == '\\';
}

TEST(AllUsersShortcutsTest, TheSystemChoosesTheFoldersOfEveryShortcut) {
  for (const SystemRow& row : kSystems) {
    SCOPED_TRACE(row.label);
    testing::SampleProduct product("", 0, row.patch);
    const std::string programs = row.common ? kCommonPrograms : kUserPrograms;
    const std::string desktop = row.common ? kCommonDesktop : kUserDesktop;
    EXPECT_EQ(product.Create(kMinimum), programs + "\\Tarvex Games\\Zephra");
    const auto& links = product.shell().links;
    ASSERT_FALSE(links.empty());
    for (const ShellLink& link : links)
      EXPECT_TRUE(IsIn(link.file, programs + "\\Tarvex Games") || IsIn(link.file, desktop)) << link.file;
    EXPECT_NE(product.shell().Find(desktop + "\\Play Zephra.lnk"), nullptr);
    EXPECT_TRUE(testing::Exists(product.platform().files, desktop + "\\Play Zephra.lnk"));
    EXPECT_EQ(DesktopShortcutPath(product.platform(), product.state.strings, "Zephra"),
              desktop + "\\Play Zephra");
  }
}

TEST(AllUsersShortcutsTest, TheGroupTypedInTheDialogIsInTheSameProgramsFolder) {
  for (const SystemRow& row : kSystems) {
    SCOPED_TRACE(row.label);
    testing::SampleProduct product("dialog 139 type 1012 \"Arcade\"\ndialog 139 press 1", 0, row.patch);
    const std::string programs = row.common ? kCommonPrograms : kUserPrograms;
    EXPECT_EQ(product.Create(kMinimum), programs + "\\Arcade\\Zephra");
    EXPECT_EQ(product.ui().AnswerProblems(), std::vector<std::string>{});
  }
}

TEST(AllUsersShortcutsTest, OnNt6TheFolderBrowserOffersTheGroupsAllUsersShare) {
  testing::SampleProduct product(
      "dialog 139 press 1010\n"
      "dialog 148 expand 1028 Programs\n"
      "dialog 148 select-item 1028 \"Programs\\\\Shared Games\"\ndialog 148 press 1\n"
      "dialog 139 press 1",
      0, System(2, 10, 0));
  product.machine().WriteFile(std::string(kCommonPrograms) + "\\Shared Games\\Other.lnk", "shortcut");
  EXPECT_EQ(product.Create(kMinimum), std::string(kCommonPrograms) + "\\Shared Games\\Zephra");
  EXPECT_EQ(product.ui().AnswerProblems(), std::vector<std::string>{});
}

std::string Record(const std::string& programs, const std::string& desktop) {
  return "[INSTALLED PRODUCTS]\r\nZephra\r\n\r\n[Zephra]\r\nShortCutDirectory=" + programs +
         "\\Tarvex Games\\Zephra\r\nShortCutDesktopName=" + desktop + "\\Play Zephra\r\n\r\n";
}

// An installation made before the common folders were used, or on another
// system, recorded the user's folders; one on NT 6 the common ones. Before
// NT 6 the common folders are none of the product's places.
TEST(AllUsersShortcutsTest, RemovalFindsTheShortcutsWhereTheRecordSaysOnTheSystemsThatPutThemThere) {
  struct Row {
    const char* label;
    std::string patch;
    bool common_record;
    bool removed;
  };
  const Row rows[] = {
      {"NT 6, common folders recorded", System(2, 6, 2), true, true},
      {"NT 6, the user's folders recorded by an older installation", System(2, 6, 2), false, true},
      {"XP, the user's folders recorded", System(2, 5, 1), false, true},
      {"XP, common folders in a hand-edited record", System(2, 5, 1), true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    testing::SampleProduct product("", 0, row.patch);
    const std::string programs = row.common_record ? kCommonPrograms : kUserPrograms;
    const std::string desktop = row.common_record ? kCommonDesktop : kUserDesktop;
    const std::string in_group = programs + "\\Tarvex Games\\Zephra\\1 Play Zephra.lnk";
    const std::string on_desktop = desktop + "\\Play Zephra.lnk";
    product.machine().WriteFile(in_group, "shortcut");
    product.machine().WriteFile(on_desktop, "shortcut");
    product.machine().WriteFile(kRegistry, Record(programs, desktop));
    RegistryProcessState registry_state;
    const auto recorded = ReadRecordedShortcuts(product.platform().files, registry_state, "Zephra");
    ASSERT_TRUE(recorded);
    RemoveShortcuts(product.platform(), product.state, registry_state, *recorded);
    EXPECT_EQ(testing::Exists(product.platform().files, in_group), !row.removed);
    EXPECT_EQ(testing::Exists(product.platform().files, on_desktop), !row.removed);
    EXPECT_EQ(testing::Exists(product.platform().files, programs + "\\Tarvex Games"), !row.removed);
    EXPECT_TRUE(testing::Exists(product.platform().files, programs));
  }
}

}  // namespace
}  // namespace tvx
