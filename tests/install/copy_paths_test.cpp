// Source and destination paths of copy items, with the system macros.
#include <gtest/gtest.h>

#include "install/copy_paths.h"

namespace tvx {
namespace {

CopyItem Item(const std::string& name, const std::string& subdirectory, const std::string& directory) {
  CopyItem item;
  item.source_name = name;
  item.source_subdirectory = subdirectory;
  item.destination_directory = directory;
  return item;
}

TEST(CopyPathsTest, PathsFollowTheMacrosAndTheInstallDirectory) {
  CopyItem renamed = Item("A.TXT", "\\Docs\\", "Docs\\");
  renamed.destination_name = "B.TXT";
  CopyItem font = Item("F.TTF", "\\Fonts\\", "C:\\WINDOWS\\FONTS\\");
  font.font = true;
  struct Row {
    const char* label;
    CopyItem item;
    const char* source;
    const char* destination;
    bool shared;
  } rows[] = {
      {"plain", Item("GAME.EXE", "\\", ""), "D:\\GAME.EXE", "C:\\Game\\GAME.EXE", false},
      {"no subdirectory", Item("GAME.EXE", "", "Bin\\"), "D:\\GAME.EXE", "C:\\Game\\Bin\\GAME.EXE", false},
      {"renamed", renamed, "D:\\Docs\\A.TXT", "C:\\Game\\Docs\\B.TXT", false},
      {"shared", Item("X.DLL", "\\Sys\\", "*SharedDll*\\"), "D:\\Sys\\X.DLL", "C:\\WIN\\SYSTEM\\X.DLL", true},
      {"shared, any case", Item("X.DLL", "\\", "*SHAREDDLL*\\"), "D:\\X.DLL", "C:\\WIN\\SYSTEM\\X.DLL", true},
      {"system", Item("X.OCX", "\\", "*WindowsSystem*\\"), "D:\\X.OCX", "C:\\WIN\\SYSTEM\\X.OCX", false},
      {"system, any case", Item("X.OCX", "\\", "*windowssystem*\\"), "D:\\X.OCX", "C:\\WIN\\SYSTEM\\X.OCX",
       false},
      {"macro without its backslash is a folder", Item("X.DLL", "\\", "*SharedDll*"), "D:\\X.DLL",
       "C:\\Game\\*SharedDll*X.DLL", false},
      {"font folder as it stands", font, "D:\\Fonts\\F.TTF", "C:\\WINDOWS\\FONTS\\F.TTF", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const CopyPaths paths = ResolveCopyPaths(row.item, {"D:", "C:\\Game\\", "C:\\WIN\\SYSTEM"});
    EXPECT_EQ(paths.source, row.source);
    EXPECT_EQ(paths.destination, row.destination);
    EXPECT_EQ(paths.shared, row.shared);
    EXPECT_FALSE(paths.climbs_out);
  }
}

TEST(CopyPathsTest, ParentStepsFromTheScriptAreFound) {
  struct Row {
    const char* directory;
    const char* name;
    bool climbs;
  } rows[] = {
      {"..\\", "A.DAT", true},         {"Data\\..\\..\\", "A.DAT", true},
      {"Data\\", "..\\A.DAT", true},   {"*SharedDll*\\", "..\\A.DLL", true},
      {"Data\\...\\", "A.DAT", true},  {"Data\\.. \\", "A.DAT", true},
      {"Data\\..x\\", "A.DAT", false}, {"Data\\.\\", "A.DAT", false},
      {"Da..ta\\", "A..DAT", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.directory) + " " + row.name);
    EXPECT_EQ(
        ResolveCopyPaths(Item(row.name, "\\", row.directory), {"D:", "C:\\Game\\", "C:\\WIN"}).climbs_out,
        row.climbs);
  }
}

}  // namespace
}  // namespace tvx
