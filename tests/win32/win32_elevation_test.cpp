// User account control through the real calls, under Wine: every process
// there holds a full administrator token (TokenElevationType 2) and the
// prefix has EnableLUA at 0; with it at 1 the program still does not
// restart itself. Before 6.0 nothing applies.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/win32/win32_platform.h"
#include "shell/front_panel.h"
#include "support/recording_ui.h"

namespace tvx::testing {
namespace {

constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Sets EnableLUA for the test's length; the value it found comes back after.
class EnableLuaForTest {
 public:
  explicit EnableLuaForTest(DWORD value) {
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPolicyKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          nullptr, &key_, nullptr) != ERROR_SUCCESS)
      return;
    DWORD old = 0;
    DWORD size = sizeof old;
    if (::RegQueryValueExA(key_, "EnableLUA", nullptr, nullptr, reinterpret_cast<BYTE*>(&old), &size) ==
        ERROR_SUCCESS)
      old_ = old;
    Set(value);
  }
  ~EnableLuaForTest() {
    if (!key_) return;
    if (old_) {
      Set(*old_);
    } else {
      ::RegDeleteValueA(key_, "EnableLUA");
    }
    ::RegCloseKey(key_);
  }
  EnableLuaForTest(const EnableLuaForTest&) = delete;
  EnableLuaForTest& operator=(const EnableLuaForTest&) = delete;

 private:
  void Set(DWORD value) {
    ::RegSetValueExA(key_, "EnableLUA", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  HKEY key_ = nullptr;
  std::optional<DWORD> old_;
};

struct Expected {
  TokenElevation type;
  bool elevated;
  ElevationDecision decision;
};

TEST(Win32ElevationTest, WinesFullTokenNeedsNoRestart) {
  const char* name = std::getenv("TVX_WINE_VERSION");
  const std::map<std::string, Expected> by_version = {
      {"winxp", {TokenElevation::NotApplicable, false, ElevationDecision::NotNeeded}},
      {"win10", {TokenElevation::Elevated, true, ElevationDecision::AlreadyElevated}},
  };
  if (!name || !by_version.count(name)) GTEST_SKIP() << "run through tools/wine/tvxwine with --version";
  const Expected& expected = by_version.at(name);
  EnableLuaForTest control_on(1);

  win32::Win32Platform real;
  RecordingUi ui;
  Platform platform{real.platform().files, real.platform().registry, real.platform().system,
                    real.platform().shell, ui};
  const ElevationState state = platform.system.Elevation();
  EXPECT_EQ(state.type, expected.type);
  EXPECT_EQ(state.elevated, expected.elevated);
  EXPECT_FALSE(platform.shell.ClaimElevatedRestart()) << "no request started this process";

  Session session(platform);
  FrontPanel panel(session, ::GetCommandLineA());
  // No disc in this prefix: start-up goes on past the mutex to the script.
  EXPECT_EQ(panel.Initialise(nullptr), StartupResult::ScriptNotLoaded);
  EXPECT_EQ(panel.elevation().decision, expected.decision);
  EXPECT_FALSE(panel.elevation().answer);
  EXPECT_TRUE(session.setup_mutex);
}

// Wine leaves EnableLUA at 0: user account control reads as off there.
TEST(Win32ElevationTest, TheControlIsReadFromEnableLua) {
  const char* name = std::getenv("TVX_WINE_VERSION");
  if (!name || std::string(name) != "win10") GTEST_SKIP() << "run through tools/wine/tvxwine --version win10";
  win32::Win32Platform real;
  for (const DWORD value : {0ul, 1ul}) {
    SCOPED_TRACE(value);
    EnableLuaForTest control(value);
    EXPECT_EQ(real.platform().system.Elevation().uac_on, value == 1);
  }
}

// Wine 8.0 has the desktop's shell view and its automation object: the
// way an elevated panel starts the game as the desktop's user works there
// (the fallback to the usual start is tested on the simulated machine).
TEST(Win32ElevationTest, TheDesktopsShellStartsAProgram) {
  const char* name = std::getenv("TVX_WINE_VERSION");
  if (!name || std::string(name) != "win10") GTEST_SKIP() << "run through tools/wine/tvxwine --version win10";
  char folder[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathA(sizeof folder, folder), 0u);
  const std::string mark = std::string(folder) + "tvx-desktop-start.txt";
  ::DeleteFileA(mark.c_str());
  char system[MAX_PATH + 1] = {};
  ASSERT_GT(::GetSystemDirectoryA(system, sizeof system), 0u);
  win32::Win32Platform real;
  ASSERT_TRUE(real.platform().shell.StartAsDesktopUser(std::string(system) + "\\cmd.exe",
                                                       "/c echo started > tvx-desktop-start.txt", folder));
  // The shell starts it on its own: wait for its mark.
  for (int i = 0; i < 100 && ::GetFileAttributesA(mark.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(50);
  EXPECT_NE(::GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES);
  ::DeleteFileA(mark.c_str());
}

}  // namespace
}  // namespace tvx::testing
