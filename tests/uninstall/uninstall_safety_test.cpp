// Pins a fault: "tvx.ini" and the script are anyone's to edit, and their
// folders led the uninstaller's tree and pattern deletions anywhere. Nothing
// outside the directory that holds the product may change.
#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "uninstall/uninstall_rig.h"

namespace tvx {
namespace {

using testing::kZephraDirectory;
using testing::UninstallRig;

std::string Config(const std::string& body) { return "CONFIG\n" + body + "END CONFIG\n"; }

// What a user keeps around the product, and what the system holds.
void PutBystanders(UninstallRig& rig) {
  for (const char* path :
       {"C:\\Readme.sav", "C:\\Docs\\Letter.sav", "C:\\Docs\\Zephra.exe", "C:\\WINDOWS\\Win.sav",
        "C:\\WINDOWS\\Desktop\\Notes.sav", "C:\\WINDOWS\\Desktop\\Cache\\keep.txt",
        "C:\\Games\\Other\\Game.sav", "C:\\Games\\Other\\Cache\\keep.txt", "C:\\WINDOWS\\Cache\\keep.txt",
        "C:\\Cache\\keep.txt", "C:\\Elsewhere\\Cache\\keep.txt", "C:\\Elsewhere\\Zephra.exe",
        "C:\\Elsewhere\\Old.sav"})
    rig.Put(path);
  CreateDirectoryChain(rig.rig.platform().files, "C:\\Vacant");
}

TEST(UninstallSafetyTest, AHostileRecordOrScriptChangesNothingOutsideTheProductsDirectory) {
  struct Row {
    const char* label;
    const char* directory;  // "Directory" in "tvx.ini"
    std::string files;      // more SPECIFIC FILES lines
    std::string erasable;   // ERASABLE FILES lines
  };
  const Row rows[] = {
      {"drive root", "C:\\", ",,Cache,0\n", "*.sav\n"},
      {"drive root without a backslash", "C:", ",,Cache,0\n", "*.sav\n"},
      {"Windows directory", "C:\\WINDOWS\\", ",,Cache,0\n", "*.sav\n"},
      {"desktop", "C:\\WINDOWS\\Desktop\\", ",,Cache,0\n", "*.sav\n"},
      {"climbing record", "C:\\Games\\Zephra\\..\\..\\", ",,Cache,0\n", "*.sav\n"},
      {"relative record", "Games\\Zephra\\", ",,Cache,0\n", "*.sav\n"},
      {"recorded elsewhere, without the product", "C:\\Elsewhere\\", ",,Cache,0\n", "*.sav\n"},
      {"recorded in an empty folder", "C:\\Vacant\\", "", ""},
      {"climbing directory entry", kZephraDirectory, ",,..\\Other\\Cache,0\n,,..\\..\\Cache,0\n", ""},
      {"climbing file", kZephraDirectory, "Game.sav,,..\\Other,10\nZephra.exe,,..\\..\\Docs,10\n", ""},
      {"climbing file name", kZephraDirectory, "x,,,10,..\\..\\Docs\\Zephra.exe\n", ""},
      {"climbing pattern", kZephraDirectory, "", "..\\Other\\*.sav\n..\\..\\*.sav\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::string script = testing::ScriptWith(
        Config("SPECIFIC FILES\nLevel0.map,,Maps,100\n" + row.files + "END SPECIFIC FILES\n"),
        row.erasable.empty() ? "" : "ERASABLE FILES\n" + row.erasable + "END ERASABLE FILES\n");
    UninstallRig rig("dialog 150 press 1\n", script);
    rig.PutInstalledFiles();
    PutBystanders(rig);
    rig.Record(row.directory);
    const auto before = rig.Snapshot();
    EXPECT_EQ(rig.Run(), UninstallResult::Removed);
    EXPECT_EQ(testing::ChangesOutside(before, rig.Snapshot(), "c/games/zephra"), "");
    EXPECT_FALSE(rig.rig.matcher().installed());
  }
}

TEST(UninstallSafetyTest, AProductInstalledThereLosesItsFilesWhateverItsScriptAdds) {
  const std::string script = testing::ScriptWith(
      Config("SPECIFIC FILES\nLevel0.map,,Maps,100\n,,Cache,0\n,,..\\Other\\Cache,0\nEND SPECIFIC FILES\n"),
      "ERASABLE FILES\n*.sav\n..\\*.sav\nEND ERASABLE FILES\n");
  UninstallRig rig("dialog 150 press 1\n", script);
  rig.PutInstalledFiles();
  PutBystanders(rig);
  rig.Put(std::string(kZephraDirectory) + "Cache\\tmp.bin");
  rig.Put(std::string(kZephraDirectory) + "Maps\\Mine.sav");
  rig.Record();
  const auto before = rig.Snapshot();
  EXPECT_EQ(rig.Run(), UninstallResult::Removed);
  EXPECT_EQ(testing::ChangesOutside(before, rig.Snapshot(), "c/games/zephra"), "");
  EXPECT_FALSE(IsDirectory(rig.rig.platform().files, "C:\\Games\\Zephra"));
}

// The rollback of this run's copy: its install data may not be there yet.
TEST(UninstallSafetyTest, TreesGoWithoutInstallDataOnlyWhereThisRunInstalled) {
  for (const bool installed_here : {false, true}) {
    SCOPED_TRACE(installed_here ? "installed by this run" : "recorded only");
    const std::string script = testing::ScriptWith(Config("SPECIFIC FILES\n,,Cache,0\nEND SPECIFIC FILES\n"));
    UninstallRig rig("", script);
    rig.Put(std::string(kZephraDirectory) + "Cache\\tmp.bin");
    rig.Put(std::string(kZephraDirectory) + "Zephra.exe");
    rig.Record();
    UninstallOptions options;
    options.no_confirmation = true;
    options.installed_here = installed_here;
    rig.Run(options);
    EXPECT_EQ(rig.Exists(std::string(kZephraDirectory) + "Cache\\tmp.bin"), !installed_here);
    EXPECT_EQ(rig.Exists(std::string(kZephraDirectory) + "Zephra.exe"), !installed_here);
  }
}

}  // namespace
}  // namespace tvx
