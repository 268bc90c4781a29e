// Folders an install directory may not be and no deletion may take whole.
#include <gtest/gtest.h>

#include "install/protected_folders.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

TEST(ProtectedFoldersTest, SystemFoldersTheirParentsAndDriveRootsAreProtected) {
  testing::TestMachine::Options options;
  options.profile_file = testing::ExampleProfile("modern-4tib");
  testing::TestMachine machine(options);
  Platform& platform = machine.platform();
  platform.registry.CreateKey(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion");
  platform.registry.SetValue(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                             "ProgramFilesDir", RegistryValue{RegistryType::String, "C:\\Program Files"});
  const ProtectedFolders folders(platform);
  const std::string windows = platform.files.WindowsDirectory();
  struct Row {
    std::string path;
    bool protects;
  };
  const Row rows[] = {
      {"C:\\", true},
      {"c:", true},
      {"D:\\", true},
      {windows, true},
      {windows + "\\", true},
      {platform.files.SystemDirectory(), true},
      {"C:\\Users\\Player", true},  // the profile holds the desktop
      {"C:\\USERS", true},
      {"C:\\Users\\Player\\Desktop\\", true},
      {"C:\\Program Files\\", true},
      {"C:\\Program Files\\Zephra\\", false},
      {"C:\\Users\\Player\\Desktop\\Zephra", false},  // a folder the user made on the desktop
      {"C:\\Games\\Zephra\\", false},
      {"C:\\Games\\..\\Windows\\", true},
      {"Games\\Zephra", true},
      {"", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(folders.Protects(row.path), row.protects);
  }
  EXPECT_TRUE(folders.InsideWindows(windows + "\\Games"));
  EXPECT_FALSE(folders.InsideWindows(windows + "Games"));  // a sibling that shares the name's start
}

TEST(ProtectedFoldersTest, WithinFolderComparesWholeSteps) {
  EXPECT_TRUE(IsWithinFolder("c:\\games\\zephra", "c:\\games"));
  EXPECT_TRUE(IsWithinFolder("c:\\games", "c:\\games"));
  EXPECT_FALSE(IsWithinFolder("c:\\gamesx", "c:\\games"));
  EXPECT_FALSE(IsWithinFolder("c:\\gam", "c:\\games"));
  EXPECT_EQ(FolderKey("C:\\Games\\Zephra\\\\"), "c:\\games\\zephra");
  EXPECT_EQ(FolderKey("C:\\"), "c:");
}

}  // namespace
}  // namespace tvx
