// The uninstaller on the simulated machine: what it asks, what it removes
// and in which order, and what it never touches whatever "tvx.ini" and the
// script say.
#include <gtest/gtest.h>

#include "install/shared_count.h"
#include "platform/file_services.h"
#include "registry/installed_products.h"
#include "uninstall/removal_plan.h"
#include "uninstall/uninstall_rig.h"

namespace tvx {
namespace {

using testing::kZephraDirectory;
using testing::UninstallRig;

constexpr const char* kYes = "dialog 150 press 1\n";
constexpr const char* kNo = "dialog 150 press 2\n";
constexpr const char* kSystem = "C:\\WINDOWS\\SYSTEM\\";

std::string Config(const std::string& body) { return "CONFIG\n" + body + "END CONFIG\n"; }

// Files at three depths, a directory entry, language files and erasable
// patterns.
std::string ZephraScript(const std::string& extra_files = "", const std::string& header = "") {
  return testing::ScriptWith(
      Config("SPECIFIC FILES\nLevel1.map,,Maps\\Deep\\Down,100\nLevel0.map,,Maps,100\n,,Cache,0\n" +
             extra_files +
             "END SPECIFIC FILES\n"
             "LANGUAGE SPECIFIC FILES\nLanguage,English\nVoice.eng,,Voices,10\nLanguage,French\n"
             "Voice.fra,,Voices,10\nEND LANGUAGE SPECIFIC FILES\n"),
      "LANGUAGE FILES\nLanguage,English\nReadme.eng,,,10\nLanguage,French\nReadme.fra,,,10\nEND LANGUAGE "
      "FILES\n"
      "ERASABLE FILES\n*.sav\nSaves\\*.tmp\nEND ERASABLE FILES\n" +
          header);
}

long long SharedCount(UninstallRig& rig, const std::string& path) {
  RegistryValue value;
  if (rig.rig.platform().registry.QueryValue(RegistryRoot::LocalMachine, kSharedDllsKey, path, value) !=
          registry_status::kSuccess ||
      value.data.size() < 4)
    return -1;
  return static_cast<unsigned char>(value.data[0]) | (static_cast<unsigned char>(value.data[1]) << 8);
}

void SetSharedCount(UninstallRig& rig, const std::string& path, std::uint32_t count) {
  tvx::Registry& registry = rig.rig.platform().registry;
  registry.CreateKey(RegistryRoot::LocalMachine, kSharedDllsKey);
  registry.SetValue(RegistryRoot::LocalMachine, kSharedDllsKey, path, RegistryValue::Dword(count));
}

TEST(RemovalOrderTest, DeepestDestinationFirstAndListOrderKeptAtEqualDepth) {
  auto item = [](const char* name, const char* directory) {
    CopyItem made;
    made.source_name = name;
    made.destination_directory = directory;
    return made;
  };
  CopyItemList common;
  common.Add(item("a", ""));
  common.Add(item("b", "X\\Y\\"));
  common.Add(item("c", "X\\"));
  CopyItemList configuration;
  configuration.Add(item("d", "Z\\"));
  configuration.Add(item("e", "X\\Y\\Z\\"));
  configuration.Add(item("f", ""));
  configuration.Add(item("g", "P\\Q"));
  std::string order;
  for (const CopyItem* removed : RemovalOrder(common, configuration)) order += removed->source_name;
  EXPECT_EQ(order, "ebgacdf");
}

TEST(RemovalOrderTest, DepthCountsSeparatorsButNotAFinalOne) {
  struct Row {
    const char* directory;
    int depth;
  };
  const Row rows[] = {{"", 0}, {"A\\", 0}, {"A", 0}, {"A\\B\\", 1}, {"A\\B", 1}, {"\\", 0}, {"A\\\\", 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.directory);
    EXPECT_EQ(DestinationDepth(row.directory), row.depth);
  }
}

TEST(UninstallProductTest, TheQuestionNamesTheProductByModeAndARefusalChangesNothing) {
  struct Row {
    const char* label;
    bool uninstall_mode;
    bool replace_mode;
    const char* text;
  };
  const Row rows[] = {{"panel", false, false, "S285 Zephra Land :\nS282"},
                      {"uninstall mode", true, false, "S281 Zephra Land :\nS282"},
                      {"replace", false, true, "S286"},
                      {"replace in uninstall mode", true, true, "S286"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    UninstallRig rig(kNo, ZephraScript());
    rig.Record();
    rig.PutInstalledFiles();
    const auto before = rig.Snapshot();
    UninstallOptions options;
    options.uninstall_mode = row.uninstall_mode;
    options.replace_mode = row.replace_mode;
    EXPECT_EQ(rig.Run(options), UninstallResult::Cancelled);
    const host::DialogState& asked = rig.rig.ui().dialogs().back().shown;
    EXPECT_EQ(asked.caption, "S280");
    EXPECT_EQ(asked.control(1017).text, row.text);
    EXPECT_EQ(rig.Snapshot(), before);
    EXPECT_TRUE(rig.rig.matcher().installed());
    EXPECT_EQ(rig.panel.refreshes, 1);
    EXPECT_FALSE(rig.panel.last_focus_play);
  }
}

TEST(UninstallProductTest, RemovesTheFilesTheFoldersTheRecordAndShowsThePopup) {
  UninstallRig rig(kYes, ZephraScript());
  rig.Record(kZephraDirectory, "Other\r\n");
  rig.PutInstalledFiles();
  rig.Put("C:\\Games\\Keep.txt");
  EXPECT_EQ(rig.Run(), UninstallResult::Removed);
  EXPECT_FALSE(IsDirectory(rig.rig.platform().files, "C:\\Games\\Zephra"));
  EXPECT_TRUE(rig.Exists("C:\\Games\\Keep.txt"));
  EXPECT_FALSE(rig.rig.matcher().installed());
  EXPECT_EQ(ListInstalledProducts(rig.rig.platform().files, rig.rig.registry_state),
            std::vector<std::string>{"Other"});
  const std::string ini = rig.rig.machine().ReadFile("C:\\WINDOWS\\Tarvex\\tvx.ini");
  EXPECT_EQ(ini.find("[Zephra]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[SYSTEM]"), std::string::npos) << ini;
  const std::string transcript = rig.rig.machine().Transcript();
  EXPECT_NE(transcript.find("window id=138 caption=\"\" 1017=\"Zephra Land : S190\""), std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("window id=138 closed"), std::string::npos);
  EXPECT_EQ(rig.panel.resets, 2);
  EXPECT_EQ(rig.panel.repaints, 1);
  EXPECT_EQ(rig.panel.refreshes, 1);
}

TEST(UninstallProductTest, NothingIsRemovedWithoutAnInstalledConfiguration) {
  UninstallRig rig(kYes, ZephraScript());
  rig.PutInstalledFiles();
  const auto before = rig.Snapshot();
  EXPECT_EQ(rig.Run(), UninstallResult::NothingInstalled);
  EXPECT_EQ(rig.Snapshot(), before);
}

TEST(UninstallProductTest, ARollbackAsksNothing) {
  UninstallRig rig("", ZephraScript());
  rig.Record();
  rig.PutInstalledFiles();
  UninstallOptions options;
  options.no_confirmation = true;
  EXPECT_EQ(rig.Run(options), UninstallResult::Removed);
  EXPECT_TRUE(rig.rig.ui().dialogs().empty());
  EXPECT_FALSE(IsDirectory(rig.rig.platform().files, "C:\\Games\\Zephra"));
}

TEST(UninstallProductTest, TheRecordedLanguagesFilesGoAndAreAppendedOnce) {
  struct Row {
    const char* label;
    const char* current;
    const char* recorded;
  };
  const Row rows[] = {{"same language", "English", "English"}, {"installed in French", "English", "French"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    UninstallRig rig(std::string(kYes) + kYes, ZephraScript());
    rig.rig.script_state.current_language = row.current;
    rig.rig.machine().WriteFile("C:\\WINDOWS\\Tarvex\\tvx.ini",
                                std::string("[INSTALLED PRODUCTS]\r\nZephra\r\n\r\n[Zephra]\r\nDirectory=") +
                                    kZephraDirectory + "\r\nLanguage=" + row.recorded +
                                    "\r\nConfiguration=0\r\n");
    ASSERT_TRUE(rig.rig.matcher().LoadInstalledChoice());
    const std::string suffix = std::string(row.recorded) == "French" ? "fra" : "eng";
    rig.Put(std::string(kZephraDirectory) + "Voices\\Voice." + suffix);
    rig.Put(std::string(kZephraDirectory) + "Readme." + suffix);
    rig.Put(std::string(kZephraDirectory) + "InstData\\tvx.ins");
    const std::size_t files = rig.rig.configuration(0).files.items.size();
    const std::size_t common = rig.rig.script.common_files.items.size();
    EXPECT_EQ(rig.Run(), UninstallResult::Removed);
    EXPECT_FALSE(rig.Exists(std::string(kZephraDirectory) + "Voices\\Voice." + suffix));
    EXPECT_FALSE(rig.Exists(std::string(kZephraDirectory) + "Readme." + suffix));
    EXPECT_EQ(rig.rig.configuration(0).files.items.size(), files + 1);
    EXPECT_EQ(rig.rig.script.common_files.items.size(), common + 1);
    if (std::string(row.current) == row.recorded) {
      ASSERT_TRUE(rig.rig.matcher().LoadInstalledChoice());
      rig.Run();
      EXPECT_EQ(rig.rig.configuration(0).files.items.size(), files + 1);
      EXPECT_EQ(rig.rig.script.common_files.items.size(), common + 1);
    }
  }
}

TEST(UninstallProductTest, DirectoryEntriesAndErasableFilesGoOnlyWhenTheDirectoriesDiffer) {
  for (const bool differ : {true, false}) {
    SCOPED_TRACE(differ ? "another directory" : "the same directory");
    UninstallRig rig(kYes, ZephraScript());
    rig.Record();
    rig.PutInstalledFiles();
    const std::string user_files[] = {"Cache\\level.bin", "Cache\\Sub\\more.bin", "Game1.sav",
                                      "Maps\\Old.sav",    "Saves\\x.tmp",         "Saves\\Deeper\\y.tmp"};
    for (const std::string& file : user_files) rig.Put(kZephraDirectory + file);
    rig.Put(std::string(kZephraDirectory) + "x.tmp");
    UninstallOptions options;
    options.directories_differ = differ;
    EXPECT_EQ(rig.Run(options), UninstallResult::Removed);
    for (const std::string& file : user_files) {
      SCOPED_TRACE(file);
      EXPECT_EQ(rig.Exists(kZephraDirectory + file), !differ);
    }
    // The folder part of a pattern is where its files are looked for.
    EXPECT_TRUE(rig.Exists(std::string(kZephraDirectory) + "x.tmp"));
    EXPECT_FALSE(rig.Exists(std::string(kZephraDirectory) + "Zephra.exe"));
  }
}

TEST(UninstallProductTest, ASharedLibraryCountsDownAtItsRealPathAndGoesWithTheLastUser) {
  struct Row {
    const char* label;
    std::uint32_t count;
    const char* answers;
    bool file_stays;
    long long count_after;
  };
  const Row rows[] = {
      {"another product uses it", 2, kYes, true, 1},
      {"last user, deletion agreed", 1,
       "dialog 150 press 1\nbox IDYES caption=\"S131\" text~\"S130 zlib.dll\"\n", false, -1},
      {"last user, deletion refused", 1, "dialog 150 press 1\nbox IDNO caption=\"S131\"\n", true, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    UninstallRig rig(row.answers, ZephraScript("zlib.dll,,*SharedDll*,100\nzsys.bin,,*WindowsSystem*,100\n"));
    rig.Record();
    rig.PutInstalledFiles();
    const std::string library = std::string(kSystem) + "zlib.dll";
    SetSharedCount(rig, library, row.count);
    EXPECT_EQ(rig.Run(), UninstallResult::Removed);
    EXPECT_EQ(rig.Exists(library), row.file_stays);
    EXPECT_EQ(SharedCount(rig, library), row.count_after);
    EXPECT_TRUE(rig.Exists(std::string(kSystem) + "zsys.bin"));
    EXPECT_EQ(rig.rig.ui().AnswerProblems(), std::vector<std::string>{});
  }
}

TEST(UninstallProductTest, ALibraryInTheInstallDirectoryKeepsItsFileWhileCounted) {
  UninstallRig rig(kYes, ZephraScript("engine.DLL,,Bin,100\n"));
  rig.Record();
  rig.PutInstalledFiles();
  const std::string library = std::string(kZephraDirectory) + "Bin\\engine.DLL";
  SetSharedCount(rig, library, 2);
  EXPECT_EQ(rig.Run(), UninstallResult::Removed);
  EXPECT_TRUE(rig.Exists(library));
  EXPECT_EQ(SharedCount(rig, library), 1);
}

}  // namespace
}  // namespace tvx

namespace tvx {
namespace {

// A configuration installed without the common files never copied them:
// a file of that name in its directory is not the configuration's to take.
TEST(UninstallProductTest, AConfigurationWithoutCommonFilesLeavesThem) {
  const std::string script = testing::ScriptWith(
      "CONFIG\nWITHOUT COMMON FILES\nSPECIFIC FILES\nOwn.dat,,,10\nEND SPECIFIC FILES\nEND CONFIG\n",
      "COMMON FILES\nShared.dat,,,10\nEND COMMON FILES\n");
  UninstallRig rig("dialog 150 press 1\n", script);
  rig.Record();
  rig.PutInstalledFiles();
  ASSERT_TRUE(rig.Exists(std::string(testing::kZephraDirectory) + "Shared.dat"));
  EXPECT_EQ(rig.Run(), UninstallResult::Removed);
  EXPECT_FALSE(rig.Exists(std::string(testing::kZephraDirectory) + "Own.dat"));
  EXPECT_TRUE(rig.Exists(std::string(testing::kZephraDirectory) + "Shared.dat"));
}

}  // namespace
}  // namespace tvx
