// The DirectX and media runtime installers on the simulated machine: what
// each result of a setup means for the installation and what the user is
// told.
#include "components/media_installers.h"

#include <gtest/gtest.h>

#include "detection/detection_process_state.h"
#include "support/fixtures.h"
#include "support/test_machine.h"
#include "ui/ui_process_state.h"

namespace tvx::testing {
namespace {

std::string Numbered(int number) { return "S" + std::to_string(number); }

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct Rig {
  explicit Rig(const std::string& patch) : machine(MachineWith(patch)) {}

  ComponentContext Context() {
    return {machine->platform(), detection, ui_state, &Numbered, [] { return std::string("Zephra"); }};
  }

  std::unique_ptr<TestMachine> machine;
  DetectionProcessState detection;
  UiProcessState ui_state;
};

std::string DirectXLibrary(std::int32_t result) {
  return R"({"libraries": {"D:\\Dsetup.dll": {"DirectXSetupA": )" + std::to_string(result) + "}}}";
}

TEST(DirectXInstallerTest, EveryResultGoesOnAndTheErrorsAreTold) {
  struct Row {
    std::int32_t result;
    const char* message;  // empty: no message
    bool restart;
  };
  const Row rows[] = {
      {1, "", true},
      {0, "", false},
      {-14, "", false},
      {-1, "S182", false},
      {-2, "DSETUPERR_SOURCEFILENOTFOUND", false},
      {-3, "DSETUPERR_BADSOURCESIZE", false},
      {-4, "DSETUPERR_BADSOURCETIME", false},
      {-5, "S185 (DirectX Error:-5)", false},
      {-6, "S183", false},
      {-7, "S180", false},
      {-8, "S184", false},
      {-9, "S185 (DirectX Error:-9)", false},
      {2, "S185 (DirectX Error:2)", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.result);
    Rig rig(DirectXLibrary(row.result));
    ComponentContext context = rig.Context();

    EXPECT_EQ(InstallDirectX(context), 1);

    EXPECT_EQ(rig.detection.restart_needed, row.restart);
    EXPECT_TRUE(Contains(rig.machine->Journal(), "call DirectXSetupA with no path and flags 0x10018"))
        << rig.machine->Journal();
    const std::string transcript = rig.machine->Transcript();
    if (*row.message) {
      EXPECT_TRUE(Contains(transcript, std::string("message-box caption=\"S186\" text=\"") + row.message +
                                           "\" style=0x00010030 owner=none"))
          << transcript;
    } else {
      EXPECT_FALSE(Contains(transcript, "message-box")) << transcript;
    }
  }
}

TEST(DirectXInstallerTest, ASetupLibraryMissingOrWithoutTheFunctionFailsSilently) {
  for (const char* patch : {"{}", R"({"libraries": {"D:\\Dsetup.dll": {"DirectXSetupW": 0}}})",
                            R"({"libraries": {"C:\\Dsetup.dll": {"DirectXSetupA": 0}}})"}) {
    SCOPED_TRACE(patch);
    Rig rig(patch);
    ComponentContext context = rig.Context();
    EXPECT_EQ(InstallDirectX(context), 0);
    EXPECT_FALSE(Contains(rig.machine->Transcript(), "message-box"));
  }
}

// A setup program on the disc: a Windows program answering the exit code
// the profile gives it.
std::string Program(const std::string& path, std::int32_t exit_code) {
  return R"({"exit_codes": {")" + path + R"(": )" + std::to_string(exit_code) + "}}";
}

TEST(MediaInstallerTest, DirectXMediaFailsOnlyWhenItCannotStartOrAnswersBelowZero) {
  struct Row {
    const char* name;
    const char* folder;  // the software line's folder field
    std::int32_t exit_code;
    std::int32_t success;
    bool restart;
  };
  const Row rows[] = {
      {"done", "DirectX\\", 0, 1, false},
      {"done, restart wanted", "DirectX\\", 3010, 1, true},
      {"any other code", "DirectX\\", 1, 1, false},
      {"a negative code", "DirectX\\", -1, 0, false},
      {"a folder without its backslash", "DirectX", 0, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Rig rig(Program("D:\\\\DirectX\\\\DXMedia.exe", row.exit_code));
    rig.machine->WriteFile("D:\\DirectX\\DXMedia.exe", "MZ");
    rig.detection.installer_path = std::string("D:\\") + row.folder;
    ComponentContext context = rig.Context();

    EXPECT_EQ(InstallDxMedia(context), row.success);

    EXPECT_EQ(rig.detection.restart_needed, row.restart);
    const bool started = std::string_view(row.folder).ends_with("\\");
    EXPECT_EQ(Contains(rig.machine->Journal(), "with D:\\\\DirectX\\\\DXMedia.exe -id:Zephra"), started)
        << rig.machine->Journal();
    EXPECT_TRUE(Contains(rig.machine->Transcript(), "\"S311\"")) << "the popup while it runs";
  }
}

TEST(MediaInstallerTest, ActiveMovieSucceedsOnlyWithZero) {
  struct Row {
    std::int32_t exit_code;
    bool present;
    std::int32_t success;
  };
  const Row rows[] = {{0, true, 1}, {1, true, 0}, {3010, true, 0}, {-1, true, 0}, {0, false, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.exit_code) + (row.present ? "" : " missing"));
    Rig rig(Program("D:\\\\Media\\\\AMovie.exe", row.exit_code));
    if (row.present) rig.machine->WriteFile("D:\\Media\\AMovie.exe", "MZ");
    rig.detection.installer_path = "D:\\Media\\";
    ComponentContext context = rig.Context();

    EXPECT_EQ(InstallAMovie(context), row.success);
    EXPECT_EQ(Contains(rig.machine->Journal(),
                       "with D:\\\\Media\\\\AMovie.exe /Q:1 /R:N /C:\\\"amremove /setup_q\\\""),
              row.present)
        << rig.machine->Journal();
    EXPECT_FALSE(Contains(rig.machine->Transcript(), "message-box"));
  }
}

}  // namespace
}  // namespace tvx::testing
