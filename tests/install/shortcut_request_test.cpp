// What one shortcut request becomes: target, arguments and file.
#include <gtest/gtest.h>

#include "install/shortcut_request.h"
#include "support/seam_files.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

TEST(ShortcutRequestTest, TheTargetFollowsTheKindOfProgram) {
  struct Row {
    const char* label;
    ShortcutRequest request;
    const char* target;
    const char* arguments;
  };
  const Row rows[] = {{"program without extension",
                       {"Zephra", "C:\\Games", "Play", "-full", "C:\\P", "i.ico"},
                       "C:\\Games\\Zephra.exe",
                       "-full"},
                      {"batch file, as it is",
                       {"Setup.bat", "C:\\Games", "Setup", "/q", "C:\\P", ""},
                       "C:\\Games\\Setup.bat",
                       "/q"},
                      {"batch file in capitals",
                       {"SETUP.BAT", "C:\\Games", "Setup", "", "C:\\P", ""},
                       "C:\\Games\\SETUP.BAT",
                       ""},
                      {"program given with its extension",
                       {"Zephra.exe", "C:\\Games", "Play", "", "C:\\P", ""},
                       "C:\\Games\\Zephra.exe",
                       ""},
                      {"extension in capitals",
                       {"ZEPHRA.EXE", "C:\\Games", "Play", "", "C:\\P", ""},
                       "C:\\Games\\ZEPHRA.EXE",
                       ""},
                      {"a name that only holds .bat",
                       {"bat", "C:\\Games", "Play", "", "C:\\P", ""},
                       "C:\\Games\\bat.exe",
                       ""},
                      // Pins a doubled backslash: a drive's root is a folder that ends with one.
                      {"program at a drive's root",
                       {"SetupTvx.exe", "D:\\", "Play Zephra", "-play Zephra", "C:\\S", ""},
                       "D:\\SetupTvx.exe",
                       "-play Zephra"},
                      {"document in a folder",
                       {"", "C:\\Games", "Read", "Readme.txt", "C:\\P", ""},
                       "C:\\Games\\Readme.txt",
                       ""},
                      {"document by its whole path",
                       {"", "", "Read", "C:\\Games\\Readme.txt", "C:\\P", ""},
                       "C:\\Games\\Readme.txt",
                       ""},
                      {"document not found", {"", "", "Read", "", "C:\\P", ""}, "", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const ShellLink link = ShellLinkFor(row.request);
    EXPECT_EQ(link.target, row.target);
    EXPECT_EQ(link.arguments, row.arguments);
    EXPECT_EQ(link.working_directory, row.request.directory);
    EXPECT_EQ(link.icon_path, row.request.icon);
    EXPECT_EQ(link.icon_index, 0);
  }
}

TEST(ShortcutRequestTest, TheFileIsTheNameWithLnkInTheFolderWithOneBackslash) {
  EXPECT_EQ(ShellLinkFor({"A", "C:\\A", "Play A", "", "C:\\Group", ""}).file, "C:\\Group\\Play A.lnk");
  EXPECT_EQ(ShellLinkFor({"A", "C:\\A", "Uninstall", "", "C:\\Group\\", ""}).file,
            "C:\\Group\\Uninstall.lnk");
}

TEST(ShortcutRequestTest, TheFolderIsMadeFirst) {
  testing::TestMachine machine;
  CreateShortcut(machine.platform(), {"A", "C:\\A", "Play", "", "C:\\One\\Two\\Three", ""});
  EXPECT_TRUE(testing::Exists(machine.platform().files, "C:\\One\\Two\\Three\\Play.lnk"));
}

TEST(ShortcutRequestTest, AFolderThatCannotBeMadeLeavesTheShortcutOutSilently) {
  testing::TestMachine machine;
  // D: is the CD-ROM drive: read-only.
  CreateShortcut(machine.platform(), {"A", "C:\\A", "Play", "", "D:\\Group", ""});
  EXPECT_FALSE(testing::Exists(machine.platform().files, "D:\\Group"));
}

}  // namespace
}  // namespace tvx
