// The sample product's shortcuts made and removed on the real API, with
// the sample disc as the harness's CD-ROM drive D:.
#include <gtest/gtest.h>

#include "install/create_shortcuts.h"
#include "install/remove_shortcuts.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/win32/win32_platform.h"
#include "script/detection_catalogue.h"
#include "script/script_loader.h"
#include "script/strings_loader.h"
#include "support/seam_files.h"

namespace tvx {
namespace {

class Win32ShortcutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::Exists(platform().files, "D:\\InstData\\tvx.ins"))
      GTEST_SKIP() << "needs the sample disc as D: (ctest win32_shortcuts runs it so)";
    ScriptEnvironment environment{platform(), state_, tests_, "D:\\InstData", {}};
    ASSERT_TRUE(LoadScript(environment, "", script_)) << "the sample disc is expected as D:";
    LoadStrings(platform(), state_, "D:\\InstData", script_.languages.common_strings_files.at(0),
                script_.languages.product_strings_files.at(0));
    state_.current_language = script_.languages.keys.at(0);
    programs_ = platform().shell.SpecialFolderPath(SpecialFolder::Programs);
    desktop_ = platform().shell.SpecialFolderPath(SpecialFolder::DesktopDirectory);
    // Removal learns the group shortcut's names from the kept strings.
    shared_strings_ = JoinPath(SharedStringsFolder(platform().files), "strings.eng");
    CreateDirectoryChain(platform().files, SharedStringsFolder(platform().files) + "\\");
    testing::WriteFile(platform().files, shared_strings_,
                       testing::ReadFile(platform().files, "D:\\InstData\\strings.eng"));
  }
  void TearDown() override {
    if (!shared_strings_.empty()) platform().files.RemoveFile(shared_strings_);
  }

  Platform& platform() { return real_.platform(); }
  bool Exists(const std::string& path) { return testing::Exists(platform().files, path); }

  win32::Win32Platform real_;
  InstallScript script_;
  ScriptProcessState state_;
  DetectionCatalogue tests_;
  UiProcessState ui_state_;
  RegistryProcessState registry_state_;
  std::string programs_;
  std::string desktop_;
  std::string shared_strings_;
};

TEST_F(Win32ShortcutsTest, TheSampleProductsShortcutsAreMadeAndRemovedAgain) {
  Configuration configuration = script_.configurations.at(2);
  configuration.skip_shortcut = true;  // no group dialog: the default group
  const ShortcutSetting setting{script_, configuration, "C:\\Tarvex\\Zephra\\", "D:", "Zephra", 0};
  const std::string product = CreateShortcuts(platform(), ui_state_, state_.strings, setting);
  const std::string group = programs_ + "\\Tarvex Games";
  EXPECT_EQ(product, group + "\\Zephra");
  const std::vector<std::string> made = {group + "\\Uninstall Tarvex games.lnk",
                                         product + "\\1 Play Zephra.lnk",
                                         product + "\\2 Uninstall Zephra.lnk",
                                         product + "\\Zephra.lnk",
                                         product + "\\Readme.lnk",
                                         product + "\\Register Zephra.lnk",
                                         product + "\\Zephra settings.lnk",
                                         desktop_ + "\\Play Zephra.lnk"};
  for (const std::string& file : made) EXPECT_TRUE(Exists(file)) << file;

  RemoveShortcuts(platform(), state_, registry_state_,
                  {"Zephra", product, DesktopShortcutPath(platform(), state_.strings, "Zephra"),
                   desktop_ + "\\Zephra on the Web"});
  for (const std::string& file : made) EXPECT_FALSE(Exists(file)) << file;
  EXPECT_FALSE(Exists(group)) << group << " holds " << [&] {
    std::string names;
    for (const FindEntry& entry : platform().files.Find(group + "\\*.*").entries) names += entry.name + "; ";
    return names;
  }();
  EXPECT_TRUE(Exists(programs_));
  EXPECT_TRUE(Exists(desktop_));
}

}  // namespace
}  // namespace tvx
