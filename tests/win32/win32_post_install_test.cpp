// The steps around the copy on the real API: a library built here called
// with the log, the data path and the folder, its answer honoured; the
// version text read from the built program's string table; the program
// and its libraries copied into the prefix's common folder. Every file
// made is removed again, as the prefix is shared.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/common_folder_copy.h"
#include "install/install_log.h"
#include "platform/file_services.h"
#include "platform/forwarding_file_system.h"
#include "platform/win32/win32_platform.h"
#include "support/recording_ui.h"
#include "support/seam_files.h"
#include "tvx_version.h"

namespace tvx::testing {
namespace {

// The real file system, with this program said to live elsewhere.
class MovedProgramFiles : public ForwardingFileSystem {
 public:
  MovedProgramFiles(FileSystem& inner, std::string module)
      : ForwardingFileSystem(inner), module_(std::move(module)) {}
  std::string ModulePath() override { return module_; }

 private:
  std::string module_;
};

class Win32PostInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The directory helpers leave the current directory where they were.
    was_current_ = real_.platform().files.CurrentDirectory();
    char temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "tvxpost-" + std::to_string(::GetCurrentProcessId());
    for (const char* folder : {"\\disc", "\\disc\\hooks", "\\disc\\data", "\\game"})
      ASSERT_TRUE(CreateDirectoryChain(real_.platform().files, root_ + folder));
  }

  void TearDown() override {
    real_.platform().files.ChangeDirectory(was_current_);
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) real_.platform().files.RemoveFile(*it);
    for (const char* folder : {"\\disc\\hooks", "\\disc\\data", "\\disc", "\\game", ""})
      ::RemoveDirectoryA((root_ + folder).c_str());
  }

  void Put(const std::string& path, std::string_view bytes) {
    made_.push_back(path);
    WriteFile(real_.platform().files, path, bytes);
  }
  std::string Built(const char* path) { return ReadFile(real_.platform().files, path); }

  win32::Win32Platform real_;
  std::string root_;
  std::vector<std::string> made_;
  std::string was_current_;
};

TEST_F(Win32PostInstallTest, TheLibraryIsCalledWithTheLogWhileItExistsAndItsAnswerCounts) {
  struct Row {
    const char* name;
    const char* answer;  // null: no answer file, the library answers 1
    bool result;
  };
  const Row rows[] = {
      {"no answer file: 1", nullptr, true}, {"0 fails", "0", false}, {"7 succeeds", "7", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Put(root_ + "\\disc\\hooks\\hook.dll", Built(TVX_HOOK_LIBRARY));
    if (row.answer) Put(root_ + "\\disc\\data\\answer.txt", row.answer);
    made_.push_back(root_ + "\\disc\\data\\seen.txt");
    MovedProgramFiles files(real_.platform().files, root_ + "\\disc\\SetupTvx.exe");
    RecordingUi ui;
    Platform platform{files, real_.platform().registry, real_.platform().system, real_.platform().shell, ui};
    InstallScript script;
    Configuration configuration;
    configuration.dll_call = {true, "hooks\\hook.dll", "TvxHookSetup", "data"};
    CopyItemList list;
    CopyItem item;
    item.source_subdirectory = "\\bin\\";
    item.source_name = item.destination_name = "game.exe";
    list.Add(item);
    const std::string game = root_ + "\\game\\";
    PostInstallContext context{
        platform, [](int) { return std::string(); }, script, configuration, root_ + "\\disc", game};

    EXPECT_EQ(WriteLogAndCallDll(context, list), row.result);

    EXPECT_EQ(ReadFile(files, root_ + "\\disc\\data\\seen.txt"),
              "log=" + game + "setup.log\ndata=" + root_ + "\\disc\\data\nfolder=" + root_ + "\\game\n" +
                  root_ + "\\disc\\bin\\game.exe=" + game + "game.exe\r\n");
    EXPECT_FALSE(files.Attributes(game + "setup.log"));
    EXPECT_TRUE(ui.boxes.empty());
  }
}

TEST_F(Win32PostInstallTest, AMissingLibraryIsToldAndFails) {
  MovedProgramFiles files(real_.platform().files, root_ + "\\disc\\SetupTvx.exe");
  RecordingUi ui;
  Platform platform{files, real_.platform().registry, real_.platform().system, real_.platform().shell, ui};
  InstallScript script;
  Configuration configuration;
  configuration.dll_call = {true, "hooks\\gone.dll", "TvxHookSetup", "data"};
  PostInstallContext context{platform,         [](int) { return std::string(); },
                             script,           configuration,
                             root_ + "\\disc", root_ + "\\game\\"};

  EXPECT_FALSE(WriteLogAndCallDll(context, CopyItemList{}));

  EXPECT_EQ(ui.Texts(), std::vector<std::string>{kDllNotOpened});
  EXPECT_FALSE(files.Attributes(root_ + "\\game\\setup.log"));
}

TEST_F(Win32PostInstallTest, TheVersionTextIsStringOneOfTheBuiltProgramElseTheMarker) {
  EXPECT_EQ(real_.platform().system.ModuleString(TVX_SETUP_PROGRAM, 1, 256), std::string(TVX_VERSION_TEXT));
  EXPECT_EQ(SetupVersionText(real_.platform(), TVX_SETUP_PROGRAM), TVX_VERSION_TEXT);
  // The program's own search must not find a copy of its key first.
  const std::string program = Built(TVX_SETUP_PROGRAM);
  const std::size_t first = program.find(VersionMarker());
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(program.find(VersionMarker(), first + 1), std::string::npos);
  // A library without a string table, the marker appended.
  const std::string marked = root_ + "\\disc\\marked.dll";
  Put(marked, Built(TVX_HOOK_LIBRARY) + VersionMarker() + "0.5" + std::string(1, '\0'));
  EXPECT_EQ(real_.platform().system.ModuleString(marked, 1, 256), std::nullopt);
  EXPECT_EQ(SetupVersionText(real_.platform(), marked), "0.5");
}

TEST_F(Win32PostInstallTest, TheProgramAndItsLibrariesReachTheCommonFolder) {
  FileSystem& real_files = real_.platform().files;
  const std::string common = WindowsDirectory(real_files) + "\\Tarvex";
  const std::string kept = common + "\\SetupTvx.exe";
  const bool common_was_there = real_files.Attributes(common).has_value();
  const bool kept_was_there = real_files.Attributes(kept).has_value();
  const std::string before = kept_was_there ? ReadFile(real_files, kept) : std::string();
  const std::string program = Built(TVX_SETUP_PROGRAM);
  Put(root_ + "\\disc\\SetupTvx.exe", program);
  Put(root_ + "\\disc\\hook.dll", Built(TVX_HOOK_LIBRARY));
  MovedProgramFiles files(real_files, root_ + "\\disc\\SetupTvx.exe");
  Platform platform{files, real_.platform().registry, real_.platform().system, real_.platform().shell,
                    real_.platform().ui};

  CopySetupToCommonFolder(platform);

  EXPECT_EQ(ReadFile(real_files, kept), program);
  EXPECT_EQ(ReadFile(real_files, common + "\\hook.dll"), Built(TVX_HOOK_LIBRARY));
  real_files.RemoveFile(common + "\\hook.dll");
  if (kept_was_there) {
    WriteFile(real_files, kept, before);
  } else {
    real_files.RemoveFile(kept);
  }
  real_files.ChangeDirectory(was_current_);
  if (!common_was_there) ::RemoveDirectoryA(common.c_str());
}

}  // namespace
}  // namespace tvx::testing
