// Start-up's system check on the real GetVersionExA, in prefixes that
// report each Windows version (the harness names it in TVX_WINE_VERSION).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "shell/front_panel.h"
#include "support/recording_ui.h"

namespace tvx::testing {
namespace {

struct Expected {
  std::uint32_t platform_id;
  const char* version_text;
  const char* service;
  bool accepted;
};

const std::map<std::string, Expected> kByVersion = {
    {"win95", {1, "4 . 0", "", true}},
    {"win98", {1, "4 . 10", " A ", true}},
    {"nt40", {2, "4 . 0", "Service Pack 6a", true}},
    {"win2k", {2, "5 . 0", "Service Pack 4", true}},
    {"winxp", {2, "5 . 1", "Service Pack 3", true}},
    {"nt351", {2, "3 . 51", "Service Pack 5", false}},
};

TEST(Win32StartupTest, TheSystemCheckReadsTheReportedVersion) {
  const char* name = std::getenv("TVX_WINE_VERSION");
  if (!name || !kByVersion.count(name)) GTEST_SKIP() << "run through tools/wine/tvxwine with --version";
  const Expected& expected = kByVersion.at(name);

  win32::Win32Platform real;
  RecordingUi ui;
  Platform platform{real.platform().files, real.platform().registry, real.platform().system,
                    real.platform().shell, ui};
  const VersionRecord record = platform.system.Version();
  EXPECT_EQ(record.platform_id, expected.platform_id);
  EXPECT_EQ(record.service, expected.service);

  Session session(platform);
  FrontPanel panel(session, ::GetCommandLineA());
  // No disc in this prefix: start-up goes on to the script and stops there.
  const StartupResult result = panel.Initialise(nullptr);
  EXPECT_EQ(session.system_version.version_text, expected.version_text);
  const std::string refusal = "This program does not support Windows NT Workstation Version ) 3 . 51";
  if (expected.accepted) {
    EXPECT_EQ(result, StartupResult::ScriptNotLoaded);
    EXPECT_TRUE(session.setup_mutex);
    const std::vector<std::string> texts = ui.Texts();
    EXPECT_TRUE(std::find(texts.begin(), texts.end(), refusal) == texts.end());
  } else {
    EXPECT_EQ(result, StartupResult::UnsupportedSystem);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{refusal});
  }
}

}  // namespace
}  // namespace tvx::testing
