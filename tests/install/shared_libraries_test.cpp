// Libraries of the system directory: protected by their version text and
// counted under SharedDLLs, whichever folder they go to.
#include <gtest/gtest.h>

#include "install/copy_rig.h"
#include "install/shared_count.h"
#include "support/fixtures.h"

namespace tvx::testing {
namespace {

constexpr const char* kInstalled = "C:\\WINDOWS\\SYSTEM\\SHARED.DLL";

std::string Fixture(const std::string& name) { return ReadFixture("pe_version/" + name); }

TEST(SharedLibrariesTest, ALibraryIsCopiedOnlyOverALowerVersionText) {
  struct Row {
    const char* label;
    const char* installed;  // fixture, or null when there is none
    const char* offered;
    bool copied;
  } rows[] = {
      {"nothing installed", nullptr, "ir41_32-4.2.0.0.dll", true},
      {"same version", "ir41_32-4.2.0.0.dll", "ir41_32-4.2.0.0.dll", false},
      {"4.2.0.0 over 4.11.15.91: greater as text", "ir41_32-4.11.15.91.dll", "ir41_32-4.2.0.0.dll", true},
      {"4.11.15.91 over 4.2.0.0: lower as text", "ir41_32-4.2.0.0.dll", "ir41_32-4.11.15.91.dll", false},
      {"no version over nothing", nullptr, "no-version.dll", false},
      {"no version over a versioned one", "ir50_32-5.6.2.15.dll", "no-version.dll", false},
      {"versioned over one without", "no-version.dll", "ir50_32-5.6.2.15.dll", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    if (row.installed) rig.Put(kInstalled, Fixture(row.installed));
    rig.Put("D:\\System\\SHARED.DLL", Fixture(row.offered));
    EXPECT_EQ(rig.Run(ListOf({FileItem("SHARED.DLL", "*SharedDll*\\", 6, "\\System\\")})).code,
              CopyOutcome::kDone);
    const std::string expected = row.copied      ? Fixture(row.offered)
                                 : row.installed ? Fixture(row.installed)
                                                 : "";
    EXPECT_EQ(rig.Read(kInstalled), expected);
    // Whether copied or kept, a library that is there has this product as a user.
    EXPECT_EQ(rig.SharedCount(kInstalled), rig.Exists(kInstalled) ? 1 : -1);
  }
}

TEST(SharedLibrariesTest, ALibraryKeptAsNewLeavesTheTotalBarShort) {
  CopyRig rig;
  rig.Put(kInstalled, Fixture("ir41_32-4.2.0.0.dll"));
  rig.Put("D:\\System\\SHARED.DLL", Fixture("ir41_32-4.2.0.0.dll"));
  rig.Put("D:\\GAME.EXE", std::string(3072, 'g'));
  const CopyItemList list =
      ListOf({FileItem("SHARED.DLL", "*SharedDll*\\", 6, "\\System\\"), FileItem("GAME.EXE", "", 6)});
  EXPECT_EQ(rig.Run(list).code, CopyOutcome::kDone);
  EXPECT_EQ(rig.box().lines().back().text, "50%");
}

TEST(SharedLibrariesTest, EveryFileEndingInDllIsCountedUnderItsFullPath) {
  struct Row {
    const char* name;
    const char* directory;
    const char* path;
    long long count;
  } rows[] = {
      {"HELPER.DLL", "", "C:\\Games\\Zephra\\HELPER.DLL", 1},
      {"engine.dll", "Bin\\", "C:\\Games\\Zephra\\Bin\\engine.dll", 1},
      {"OLDSTYLEDLL", "", "C:\\Games\\Zephra\\OLDSTYLEDLL", 1},
      {"HELPER.DLX", "", "C:\\Games\\Zephra\\HELPER.DLX", -1},
      {"HELPER.OCX", "*WindowsSystem*\\", "C:\\WINDOWS\\SYSTEM\\HELPER.OCX", -1},
      {"NOVER.DLL", "*WindowsSystem*\\", "C:\\WINDOWS\\SYSTEM\\NOVER.DLL", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CopyRig rig;
    rig.Put(std::string("D:\\") + row.name, Fixture("no-version.dll"));
    EXPECT_EQ(rig.Run(ListOf({FileItem(row.name, row.directory)})).code, CopyOutcome::kDone);
    EXPECT_TRUE(rig.Exists(row.path));
    EXPECT_EQ(rig.SharedCount(row.path), row.count);
  }
}

TEST(SharedLibrariesTest, ACountIsWrittenAsADwordInRegistryReg) {
  CopyRig rig;
  rig.Put("D:\\HELPER.DLL", "x");
  EXPECT_EQ(rig.Run(ListOf({FileItem("HELPER.DLL", "")})).code, CopyOutcome::kDone);
  EXPECT_NE(rig.Registry().find("\"C:\\\\Games\\\\Zephra\\\\HELPER.DLL\"=dword:00000001"), std::string::npos)
      << rig.Registry();
}

TEST(SharedLibrariesTest, WithoutTheSharedDllsKeyNothingIsCounted) {
  CopyRig rig;
  ASSERT_EQ(rig.platform().registry.DeleteKey(RegistryRoot::LocalMachine, kSharedDllsKey), 0);
  rig.Put("D:\\HELPER.DLL", "x");
  EXPECT_EQ(rig.Run(ListOf({FileItem("HELPER.DLL", "")})).code, CopyOutcome::kDone);
  EXPECT_EQ(rig.platform().registry.OpenKey(RegistryRoot::LocalMachine, kSharedDllsKey), 2);
  EXPECT_TRUE(rig.ui().boxes.empty());
}

TEST(SharedLibrariesTest, ALibraryInUseIsSkippedQuietlyAndStillCounted) {
  CopyRig rig;
  rig.Put(kInstalled, Fixture("ir41_32-4.11.15.91.dll"));
  rig.Put("D:\\System\\SHARED.DLL", Fixture("ir41_32-4.2.0.0.dll"));
  rig.files().Plan(kInstalled, {FileFault::Kind::InUse});
  rig.Put("D:\\GAME.EXE", std::string(3072, 'g'));
  const CopyItemList list =
      ListOf({FileItem("SHARED.DLL", "*SharedDll*\\", 6, "\\System\\"), FileItem("GAME.EXE", "", 6)});
  EXPECT_EQ(rig.Run(list).code, CopyOutcome::kDone);
  EXPECT_TRUE(rig.ui().boxes.empty());
  EXPECT_EQ(rig.Read(kInstalled), Fixture("ir41_32-4.11.15.91.dll"));
  EXPECT_EQ(rig.SharedCount(kInstalled), 1);
  // Its size counts as copied: the total bar ends full.
  EXPECT_EQ(rig.box().lines().back().text, "100%");
}

// Regression: a product whose library was already installed, as new, was
// not counted as a user; the other product's uninstall then took the count
// to 0 and offered to delete a library still in use.
TEST(SharedLibrariesTest, TwoProductsSharingALibraryCountTwoAndTheFirstUninstallKeepsIt) {
  CopyRig rig;
  rig.Put("D:\\System\\SHARED.DLL", Fixture("ir50_32-5.6.2.15.dll"));
  const CopyItemList list = ListOf({FileItem("SHARED.DLL", "*SharedDll*\\", 6, "\\System\\")});
  ASSERT_EQ(rig.Run(list, "C:\\Games\\Zephra\\").code, CopyOutcome::kDone);
  ASSERT_EQ(rig.Run(list, "C:\\Games\\Other\\").code, CopyOutcome::kDone);
  EXPECT_EQ(rig.SharedCount(kInstalled), 2);

  Platform& platform = rig.platform();
  EXPECT_FALSE(DecrementSharedCount(platform.registry, platform.ui, kSharedDllsKey, kInstalled, "q", "c"));
  EXPECT_EQ(rig.SharedCount(kInstalled), 1);
  EXPECT_TRUE(rig.Exists(kInstalled));
  EXPECT_TRUE(rig.ui().boxes.empty());
}

}  // namespace
}  // namespace tvx::testing
