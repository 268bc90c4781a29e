// The DirectX and media installers on the real API: a setup library and
// setup programs built here stand in for the outside components, each
// writing down how it was called and answering what the test chose. Every
// file made is removed again, as the prefix is shared.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/media_installers.h"
#include "detection/detection_process_state.h"
#include "platform/file_services.h"
#include "platform/forwarding_file_system.h"
#include "platform/win32/win32_platform.h"
#include "support/recording_ui.h"
#include "support/seam_files.h"
#include "ui/ui_process_state.h"

namespace tvx::testing {
namespace {

// The real file system, with this program said to live on the disc.
class ProgramOnDisc : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::string ModulePath() override { return module_; }
  void set_module(std::string module) { module_ = std::move(module); }

 private:
  std::string module_;
};

std::string Numbered(int number) { return "S" + std::to_string(number); }

class Win32MediaInstallersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "tvxmedia-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryChain(real_.platform().files, root_ + "\\media"));
    detection_.installer_path = root_ + "\\media\\";
  }

  void TearDown() override {
    for (const std::string& path : made_) real_.platform().files.RemoveFile(path);
    ::RemoveDirectoryA((root_ + "\\media").c_str());
    ::RemoveDirectoryA(root_.c_str());
  }

  // A file of the test's, removed afterwards whether or not it was made.
  std::string Place(const std::string& name) {
    made_.push_back(root_ + "\\" + name);
    return made_.back();
  }
  void Put(const std::string& name, std::string_view bytes) {
    WriteFile(real_.platform().files, Place(name), bytes);
  }
  void PutBuilt(const std::string& name, const char* built) {
    Put(name, ReadFile(real_.platform().files, built));
  }
  std::string Seen(const std::string& name) { return ReadFile(real_.platform().files, root_ + "\\" + name); }

  std::int32_t Run(std::int32_t (*installer)(ComponentContext&)) {
    Platform platform{files_, real_.platform().registry, real_.platform().system, real_.platform().shell,
                      ui_};
    ComponentContext context{platform, detection_, ui_state_, &Numbered,
                             [] { return std::string("Zephra"); }};
    return installer(context);
  }

  win32::Win32Platform real_;
  std::string root_;
  ProgramOnDisc files_{real_.platform().files};
  RecordingUi ui_;
  DetectionProcessState detection_;
  UiProcessState ui_state_;
  std::vector<std::string> made_;
};

TEST_F(Win32MediaInstallersTest, TheDirectXLibraryBesideTheProgramIsCalledAndItsAnswerActedOn) {
  struct Row {
    const char* answer;
    bool restart;
    const char* message;  // empty: none
  };
  const Row rows[] = {
      {"0", false, ""}, {"1", true, ""}, {"-14", false, ""}, {"-5", false, "S185 (DirectX Error:-5)"}};
  files_.set_module(root_ + "\\SetupTvx.exe");
  PutBuilt("Dsetup.dll", TVX_DIRECTX_SETUP_LIBRARY);
  Place("Dsetup.seen");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    Put("Dsetup.answer", row.answer);
    detection_.restart_needed = false;
    ui_.boxes.clear();

    EXPECT_EQ(Run(&InstallDirectX), 1);

    EXPECT_EQ(Seen("Dsetup.seen"), "window=none root=(null) flags=0x10018");
    EXPECT_EQ(detection_.restart_needed, row.restart);
    if (*row.message) {
      ASSERT_EQ(ui_.boxes.size(), 1u);
      EXPECT_EQ(ui_.boxes[0].text, row.message);
      EXPECT_EQ(ui_.boxes[0].caption, "S186");
      EXPECT_EQ(ui_.boxes[0].style, 0x00010030u);
    } else {
      EXPECT_TRUE(ui_.boxes.empty());
    }
  }
}

TEST_F(Win32MediaInstallersTest, WithoutTheLibraryBesideTheProgramDirectXFailsSilently) {
  files_.set_module(root_ + "\\media\\SetupTvx.exe");
  PutBuilt("Dsetup.dll", TVX_DIRECTX_SETUP_LIBRARY);  // beside the disc, not the program

  EXPECT_EQ(Run(&InstallDirectX), 0);

  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_FALSE(real_.platform().files.Attributes(root_ + "\\Dsetup.seen"));
}

TEST_F(Win32MediaInstallersTest, TheSetupProgramsSeeTheirCommandLineAndTheirExitCodeCounts) {
  struct Row {
    std::int32_t (*installer)(ComponentContext&);
    const char* program;
    const char* answer;
    std::int32_t result;
    bool restart;
    const char* arguments;
  };
  const Row rows[] = {
      {&InstallDxMedia, "DXMedia", "0", 1, false, "-id:Zephra"},
      {&InstallDxMedia, "DXMedia", "3010", 1, true, "-id:Zephra"},
      {&InstallDxMedia, "DXMedia", "1", 1, false, "-id:Zephra"},
      {&InstallDxMedia, "DXMedia", "-1", 0, false, "-id:Zephra"},
      {&InstallAMovie, "AMovie", "0", 1, false, "/Q:1 /R:N /C:\"amremove /setup_q\""},
      {&InstallAMovie, "AMovie", "3010", 0, false, "/Q:1 /R:N /C:\"amremove /setup_q\""},
  };
  for (const Row& row : rows) {
    const std::string name = std::string(row.program);
    SCOPED_TRACE(name + " answering " + row.answer);
    PutBuilt("media\\" + name + ".exe", TVX_SETUP_PROGRAM_FIXTURE);
    Put("media\\" + name + ".answer", row.answer);
    Place("media\\" + name + ".seen");
    detection_.restart_needed = false;

    EXPECT_EQ(Run(row.installer), row.result);

    EXPECT_EQ(Seen("media\\" + name + ".seen"), detection_.installer_path + name + ".exe " + row.arguments);
    EXPECT_EQ(detection_.restart_needed, row.restart);
    EXPECT_TRUE(ui_.boxes.empty());
  }
}

TEST_F(Win32MediaInstallersTest, ASetupProgramThatCannotStartFails) {
  // The folder field without its backslash runs into the program's name.
  detection_.installer_path = root_ + "\\media";
  for (auto installer : {&InstallDxMedia, &InstallAMovie}) EXPECT_EQ(Run(installer), 0);
  EXPECT_TRUE(ui_.boxes.empty());
}

}  // namespace
}  // namespace tvx::testing
