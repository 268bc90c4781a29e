// The common folder's copy of this program: which version text wins, the
// libraries beside it, a full disk that must leave the old copy whole, and
// the restart offer whose Startup entry starts that copy.
#include "install/common_folder_copy.h"

#include <gtest/gtest.h>

#include "install/post_install_rig.h"
#include "install/restart_offer.h"
#include "install/scripted_file_system.h"
#include "install/shortcut_test_support.h"
#include "support/pe_strings_image.h"

namespace tvx::testing {
namespace {

constexpr const char* kOwn = "D:\\SetupTvx.exe";
constexpr const char* kKept = "C:\\WINDOWS\\Tarvex\\SetupTvx.exe";

// A program whose string 1 is the version, or with only the marker when
// the version is given that way.
std::string ProgramWithString(const std::string& version) {
  const auto image = PeWithStringBlock(1, {"", version}, "trailer");
  return std::string(image.bytes.begin(), image.bytes.end());
}

std::string ProgramWithMarker(const std::string& version) {
  return "MZ....." + VersionMarker() + version + std::string(1, '\0') + "rest";
}

TEST(SetupVersionTextTest, TheStringResourceElseTheMarkerElseNothing) {
  struct Row {
    const char* name;
    std::string bytes;  // empty: no file
    std::string expected;
  };
  const auto both = PeWithStringBlock(1, {"", "2.0"}, VersionMarker() + "1.0" + '\0');
  const Row rows[] = {
      {"string 1", ProgramWithString("1.2.3"), "1.2.3"},
      {"the marker", ProgramWithMarker("1.1"), "1.1"},
      {"the string wins over the marker", std::string(both.bytes.begin(), both.bytes.end()), "2.0"},
      {"an empty string 1 falls back to the marker",
       [] {
         const auto image = PeWithStringBlock(1, {"x", ""}, VersionMarker() + "0.9" + '\0');
         return std::string(image.bytes.begin(), image.bytes.end());
       }(),
       "0.9"},
      {"a marker without its end runs to the file's end", "MZ" + VersionMarker() + "3.1", "3.1"},
      {"neither", "MZ plain bytes \xA3TVX-VERS", ""},
      {"a marker at once followed by its zero is passed over",
       "MZ" + VersionMarker() + std::string(1, '\0') + VersionMarker() + "1.4" + std::string(1, '\0'), "1.4"},
      {"no file", "", ""},
      {"string 1 is cut at 255 characters", ProgramWithString(std::string(300, '7')), std::string(255, '7')},
      {"a marker's text is cut at 255 characters", ProgramWithMarker(std::string(300, '8')),
       std::string(255, '8')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig;
    if (!row.bytes.empty()) rig.machine().WriteFile(kOwn, row.bytes);
    EXPECT_EQ(SetupVersionText(rig.platform(), kOwn), row.expected);
  }
}

TEST(CopySetupToCommonFolderTest, ReplacesACopyThatIsNotNewerAndCopiesTheLibraries) {
  struct Row {
    const char* name;
    std::string kept;  // empty: none there
    bool replaced;
  };
  const Row rows[] = {
      {"none there yet", "", true},
      {"an older one", ProgramWithString("1.09"), true},
      {"the same version", ProgramWithString("1.10"), true},
      {"a newer one", ProgramWithString("1.2"), false},
      {"a newer one known by its marker", ProgramWithMarker("1.11"), false},
      {"an unreadable one", "not a program", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig;
    const std::string own = ProgramWithString("1.10");
    rig.machine().WriteFile(kOwn, own);
    rig.machine().WriteFile("D:\\Lib1.dll", "one");
    rig.machine().WriteFile("D:\\LIB2.DLL", "two");
    rig.machine().WriteFile("D:\\Readme.txt", "not a library");
    if (!row.kept.empty()) rig.machine().WriteFile(kKept, row.kept);

    CopySetupToCommonFolder(rig.platform());

    EXPECT_EQ(rig.machine().ReadFile(kKept), row.replaced ? own : row.kept);
    EXPECT_EQ(rig.machine().ReadFile("C:\\WINDOWS\\Tarvex\\Lib1.dll"), "one");
    EXPECT_EQ(rig.machine().ReadFile("C:\\WINDOWS\\Tarvex\\LIB2.DLL"), "two");
    FileSystem& files = rig.platform().files;
    EXPECT_FALSE(files.Attributes("C:\\WINDOWS\\Tarvex\\Readme.txt"));
    EXPECT_FALSE(files.Attributes(std::string(kKept) + ".tmp"));
  }
}

TEST(CopySetupToCommonFolderTest, AFullDiskLeavesTheOldCopyWhole) {
  PostInstallRig rig;
  rig.machine().WriteFile(kOwn, ProgramWithString("2.0"));
  const std::string old = ProgramWithString("1.0");
  rig.machine().WriteFile(kKept, old);
  rig.machine().WriteFile("D:\\Lib1.dll", "one");
  Platform& real = rig.platform();
  ScriptedFileSystem files(real.files);
  for (const std::string& path : {std::string(kKept), std::string(kKept) + ".tmp"})
    files.Plan(path, {FileFault::Kind::WriteError, 1, FileError::DiskFull});
  Platform platform{files, real.registry, real.system, real.shell, real.ui};

  CopySetupToCommonFolder(platform);

  EXPECT_EQ(rig.machine().ReadFile(kKept), old) << "every product's entries start this copy";
  EXPECT_FALSE(real.files.Attributes(std::string(kKept) + ".tmp"));
  EXPECT_EQ(rig.machine().ReadFile("C:\\WINDOWS\\Tarvex\\Lib1.dll"), "one") << "the libraries go on";
}

TEST(CopySetupToCommonFolderTest, NothingWhenTheCommonFolderCannotBeMade) {
  PostInstallRig rig;
  rig.machine().WriteFile(kOwn, ProgramWithString("2.0"));
  rig.machine().WriteFile("C:\\WINDOWS\\Tarvex", "a file where the folder goes");

  CopySetupToCommonFolder(rig.platform());

  EXPECT_EQ(rig.machine().ReadFile("C:\\WINDOWS\\Tarvex"), "a file where the folder goes");
}

TEST(OfferRestartTest, YesLeavesAnEntryStartingTheCommonCopyThenAsksTheRestart) {
  struct Row {
    const char* name;
    const char* module;
    const char* answers;
    const char* target;  // null: no entry
  };
  const Row rows[] = {
      {"yes", "D:\\SetupTvx.exe", "dialog 150 press 1\n", "C:\\WINDOWS\\Tarvex\\SetupTvx.exe"},
      {"yes, from a program named otherwise", "D:\\SETUP\\Install.EXE", "dialog 150 press 1\n",
       "C:\\WINDOWS\\Tarvex\\Install.exe"},
      {"no", "D:\\SetupTvx.exe", "dialog 150 press 2\n", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestMachine::Options options;
    options.answers = row.answers;
    options.run.program_path = row.module;
    TestMachine machine(options);
    Platform& real = machine.platform();
    RecordingShell shell(real.shell);
    Platform platform{real.files, real.registry, real.system, shell, real.ui};
    const TextLookup text = [](int number) {
      return number == 400 ? std::string("Restart to play %s?") : TextNumber(number);
    };

    OfferRestart(platform, text, "Zephra", "Zephra Deluxe");

    EXPECT_NE(machine.Transcript().find(
                  "dialog id=150 caption=\"text 240Zephra Deluxe\" 1=\"text 283\" 2=\"text 284\" "
                  "1017=\"Restart to play Zephra Deluxe?\""),
              std::string::npos)
        << machine.Transcript();
    const std::string entry = real.shell.SpecialFolderPath(SpecialFolder::Startup) + "\\Play Zephra.lnk";
    const ShellLink* link = shell.Find(entry);
    ASSERT_EQ(link != nullptr, row.target != nullptr);
    EXPECT_EQ(machine.Journal(), row.target ? "restart asked\n" : "");
    if (!link) continue;
    EXPECT_EQ(link->target, row.target);
    EXPECT_EQ(link->arguments, "-play Zephra");
    EXPECT_EQ(link->working_directory, "C:\\WINDOWS\\Tarvex");
    EXPECT_TRUE(real.files.Attributes(entry));
  }
}

}  // namespace
}  // namespace tvx::testing
