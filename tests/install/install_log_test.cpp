// "setup.log" and the configuration's library call: which files the log
// lists, that it lives only while the function runs, where the library is
// looked for, and each way the step fails.
#include "install/install_log.h"

#include <gtest/gtest.h>

#include "install/post_install_rig.h"
#include "install/scripted_file_system.h"
#include "platform/host/escaped_text.h"

namespace tvx::testing {
namespace {

CopyItem Item(const char* subdirectory, const char* source, const char* directory, const char* name) {
  CopyItem item;
  item.source_subdirectory = subdirectory;
  item.source_name = source;
  item.destination_directory = directory;
  item.destination_name = name;
  return item;
}

CopyItemList SampleList() {
  CopyItemList list;
  list.Add(Item("\\data\\", "a.bin", "", "a.bin"));
  CopyItem font = Item("\\fonts\\", "z.ttf", "C:\\WINDOWS\\FONTS\\", "z.ttf");
  font.font = true;
  list.Add(font);
  list.Add(Item("\\data\\", "b.dll", "*SharedDll*\\", "b.dll"));
  CopyItem unlogged = Item("\\InstData\\", "tvx.ins", "InstData\\", "tvx.ins");
  unlogged.unlogged = true;
  list.Add(unlogged);
  list.Add(Item("", "", "saves\\", ""));
  list.Add(Item("", "root.txt", "docs\\", "Lisez.txt"));
  return list;
}

constexpr const char* kSampleLog =
    "D:\\data\\a.bin=C:\\Games\\Zephra\\a.bin\r\n"
    "D:\\data\\b.dll=C:\\Games\\Zephra\\*SharedDll*\\b.dll\r\n"
    "D:\\root.txt=C:\\Games\\Zephra\\docs\\Lisez.txt\r\n";

TEST(InstallLogTest, ListsTheCopiedFilesInOrderLeavingOutFontsUnloggedItemsAndFolders) {
  EXPECT_EQ(InstallLogText("D:", kPostInstallDirectory, SampleList()), kSampleLog);
}

TEST(InstallLogTest, SourcesAreUnderTheProgramsFolderWithOneBackslash) {
  struct Row {
    const char* name;
    const char* program_directory;
    const char* subdirectory;
    const char* expected;
  };
  const Row rows[] = {
      {"a subdirectory with its backslashes", "D:\\SETUP", "\\data\\", "D:\\SETUP\\data\\f=C:\\x\\f\r\n"},
      {"no subdirectory", "D:\\SETUP", "", "D:\\SETUP\\f=C:\\x\\f\r\n"},
      {"a subdirectory without its leading backslash", "D:", "data\\", "D:\\data\\f=C:\\x\\f\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CopyItemList list;
    list.Add(Item(row.subdirectory, "f", "", "f"));
    EXPECT_EQ(InstallLogText(row.program_directory, "C:\\x\\", list), row.expected);
  }
}

TEST(InstallLogTest, FromProgramDirectoryPutsOneBackslashBeforeARelativePath) {
  EXPECT_EQ(FromProgramDirectory("D:", "tools\\hook.dll"), "D:\\tools\\hook.dll");
  EXPECT_EQ(FromProgramDirectory("D:", "\\tools\\hook.dll"), "D:\\tools\\hook.dll");
  EXPECT_EQ(FromProgramDirectory("D:\\SETUP", ""), "D:\\SETUP\\");
}

// The library D:\tools\hook.dll with a function "Setup" answering 1 and
// "Refuse" answering 0.
constexpr const char* kHookLibrary = R"({"libraries": {"D:\\tools\\hook.dll": {"Setup": 1, "Refuse": 0}}})";

std::string LogPath() { return std::string(kPostInstallDirectory) + kInstallLogName; }

TEST(InstallLogTest, TheFunctionGetsTheLogTheDataPathAndTheFolderAndSeesTheLogWhileItRuns) {
  struct Row {
    const char* name;
    const char* dll_path;
    const char* data_path;
    const char* expected_data;
  };
  const Row rows[] = {
      {"relative paths", "tools\\hook.dll", "data", "D:\\data"},
      {"paths with their backslash", "\\tools\\hook.dll", "\\data\\set", "D:\\data\\set"},
      {"letter case of the library's name", "TOOLS\\Hook.DLL", "", "D:\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig(kHookLibrary);
    rig.configuration.dll_call = {true, row.dll_path, "Setup", row.data_path};
    PostInstallContext context = rig.Context();

    EXPECT_TRUE(WriteLogAndCallDll(context, SampleList()));

    const std::string arguments = LogPath() + " | " + row.expected_data + " | C:\\Games\\Zephra";
    EXPECT_EQ(rig.machine().Journal(), "call Setup with " + host::EscapedText(arguments) + "\ncall saw " +
                                           host::EscapedText(kSampleLog) + "\n");
    EXPECT_FALSE(rig.platform().files.Attributes(LogPath())) << "the log is gone afterwards";
  }
}

TEST(InstallLogTest, EachWayTheStepEnds) {
  struct Row {
    const char* name;
    bool create_log;
    bool calls;
    const char* function;
    bool result;
    const char* message;  // the one box shown, or empty
    bool called;
  };
  const Row rows[] = {
      {"no log asked and no call: nothing", false, false, "Setup", true, "", false},
      {"the log alone: written and deleted", true, false, "Setup", true, "", false},
      {"the function answers 1", false, true, "Setup", true, "", true},
      {"the function answers 0", true, true, "Refuse", false, "", true},
      {"the library lacks the function", false, true, "Missing", true, "", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig(kHookLibrary);
    rig.script.create_log = row.create_log;
    if (row.calls) rig.configuration.dll_call = {true, "tools\\hook.dll", row.function, "data"};
    PostInstallContext context = rig.Context();

    EXPECT_EQ(WriteLogAndCallDll(context, SampleList()), row.result);

    EXPECT_EQ(rig.machine().Journal().find("call " + std::string(row.function)) == 0, row.called);
    EXPECT_EQ(rig.Transcript().find("message-box"), std::string::npos);
    EXPECT_FALSE(rig.platform().files.Attributes(LogPath()));
  }
}

TEST(InstallLogTest, AMissingLibraryOrALogThatCannotBeWrittenFailsWithItsMessage) {
  struct Row {
    const char* name;
    const char* dll_path;
    const char* install_directory;
    bool write_fails;
    const char* message;
  };
  const Row rows[] = {
      {"the library is not there", "tools\\gone.dll", kPostInstallDirectory, false,
       "Could not open DLL to call function !!"},
      {"the install folder is not there", "tools\\hook.dll", "C:\\Nowhere\\", false,
       "Could not create 'log' file !!"},
      {"the disk fills while the log is written", "tools\\hook.dll", kPostInstallDirectory, true,
       "Could not create 'log' file !!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig(kHookLibrary);
    rig.configuration.dll_call = {true, row.dll_path, "Setup", "data"};
    Platform& real = rig.platform();
    ScriptedFileSystem files(real.files);
    const std::string log = std::string(row.install_directory) + kInstallLogName;
    if (row.write_fails) files.Plan(log, {FileFault::Kind::WriteError, 1, FileError::DiskFull});
    Platform platform{files, real.registry, real.system, real.shell, real.ui};
    PostInstallContext context{platform,          TextNumber, rig.script,
                               rig.configuration, "D:",       row.install_directory};

    EXPECT_FALSE(WriteLogAndCallDll(context, SampleList()));

    EXPECT_NE(rig.Transcript().find("text=\"" + std::string(row.message) + "\""), std::string::npos)
        << rig.Transcript();
    EXPECT_EQ(rig.machine().Journal(), "") << "the function is not called";
    EXPECT_FALSE(real.files.Attributes(log)) << "no log, not even a part of one, is left";
  }
}

}  // namespace
}  // namespace tvx::testing
