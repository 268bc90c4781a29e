// The sample product's shortcuts on the simulated machine: which files,
// and what each one starts.
#include <gtest/gtest.h>

#include "install/shortcut_test_support.h"
#include "support/seam_files.h"

namespace tvx {
namespace {

using testing::kBrowserIcon;

constexpr const char* kGroup = "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games";
constexpr const char* kProduct = "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games\\Zephra";
constexpr const char* kDesktop = "C:\\WINDOWS\\Desktop";
constexpr const char* kSetup = "C:\\WINDOWS\\Tarvex\\SetupTvx.exe";
constexpr const char* kCommon = "C:\\WINDOWS\\Tarvex";
constexpr const char* kIcon = "C:\\Tarvex\\Zephra\\Zephra.ico";
constexpr std::size_t kMinimum = 2;  // the configuration with every kind of entry

struct Expected {
  std::string file;
  std::string target;
  std::string arguments;
  std::string directory;
  std::string icon;
};

std::string In(const std::string& folder, const std::string& name) { return folder + "\\" + name + ".lnk"; }

void ExpectLinks(testing::SampleProduct& product, const std::vector<Expected>& expected) {
  for (const Expected& row : expected) {
    SCOPED_TRACE(row.file);
    const ShellLink* link = product.shell().Find(row.file);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->target, row.target);
    EXPECT_EQ(link->arguments, row.arguments);
    EXPECT_EQ(link->working_directory, row.directory);
    EXPECT_EQ(link->icon_path, row.icon);
    EXPECT_EQ(link->icon_index, 0);
  }
}

TEST(CreateShortcutsTest, TheSampleProductGetsItsGroupDesktopAndScriptShortcuts) {
  testing::SampleProduct product;
  EXPECT_EQ(product.Create(kMinimum), kProduct);
  const std::vector<Expected> expected = {
      {In(kGroup, "Uninstall Tarvex games"), kSetup, "-uninstall", kCommon, kSetup},
      {In(kProduct, "2 Uninstall Zephra"), kSetup, "-uninstall Zephra", kCommon, kIcon},
      {In(kProduct, "1 Play Zephra"), kSetup, "-play Zephra", kCommon, kIcon},
      {In(kDesktop, "Play Zephra"), kSetup, "-play Zephra", kCommon, kIcon},
      {In(kDesktop, "Zephra on the Web"), kSetup, "-http http://www.zephra.example/", kCommon, kBrowserIcon},
      // HD: from the installation.
      {In(kProduct, "Zephra"), "C:\\Tarvex\\Zephra\\Zephra.exe", "", "C:\\Tarvex\\Zephra", kIcon},
      // README: the installed document, named after it, with Notepad's icon.
      {In(kProduct, "Readme"), "C:\\Tarvex\\Zephra\\Readme.txt", "", "", "C:\\WINDOWS\\Notepad.exe"},
      // HTTP: the setup program opens the address.
      {In(kProduct, "Zephra on the Web"), kSetup, "-http http://www.zephra.example/", kCommon, kBrowserIcon},
      // CD, named by the product's string 2030.
      {In(kProduct, "Register Zephra"), "D:\\Setup\\Register.exe", "/product=Zephra", "D:\\Setup",
       "D:\\Setup\\Register.ico"},
      // Any other place: the Windows folder, the arguments in the installation.
      {In(kProduct, "Zephra settings"), "C:\\WINDOWS\\Notepad.exe", "C:\\Tarvex\\Zephra\\Zephra.cfg",
       "C:\\WINDOWS", "C:\\WINDOWS\\Notepad.exe"}};
  ExpectLinks(product, expected);
  EXPECT_EQ(product.shell().links.size(), expected.size());
  // Written as files where the shell was asked to.
  for (const Expected& row : expected)
    EXPECT_TRUE(testing::Exists(product.platform().files, row.file)) << row.file;
  EXPECT_EQ(product.ui().dialogs().size(), 1u);
  EXPECT_EQ(product.ui().dialogs()[0].shown.id, 139);
}

TEST(CreateShortcutsTest, PlaySortsBeforeUninstallInTheProductFolderAndNotOnTheDesktop) {
  testing::SampleProduct product;
  product.Create(kMinimum);
  const auto& links = product.shell().links;
  std::vector<std::string> in_product;
  for (const ShellLink& link : links)
    if (link.file.rfind(std::string(kProduct) + "\\", 0) == 0 &&
        link.arguments.find("Zephra") != std::string::npos && link.target == kSetup &&
        link.arguments.rfind("-http", 0) != 0)
      in_product.push_back(link.file.substr(std::string(kProduct).size() + 1));
  std::sort(in_product.begin(), in_product.end());
  EXPECT_EQ(in_product, (std::vector<std::string>{"1 Play Zephra.lnk", "2 Uninstall Zephra.lnk"}));
  EXPECT_NE(product.shell().Find(In(kDesktop, "Play Zephra")), nullptr);
}

TEST(CreateShortcutsTest, AReadmeThatIsNotInstalledGivesAShortcutWithoutTarget) {
  // French: "Lisezmoi.txt", while the installed language files are English.
  testing::SampleProduct product("", 1);
  for (CopyItem& item : product.script.common_files.items)
    if (item.source_name == "Lisezmoi.txt") item.source_name = "Other.txt";
  product.Create(kMinimum);
  const ShellLink* readme = product.shell().Find(In(kProduct, "Lisezmoi"));
  ASSERT_NE(readme, nullptr);
  EXPECT_EQ(readme->target, "");
  EXPECT_EQ(readme->icon_path, "C:\\WINDOWS\\Notepad.exe");
  // The French strings name the product's own shortcuts.
  EXPECT_NE(product.shell().Find(In(kProduct, "1 Jouer \xE0 Zephra")), nullptr);
  EXPECT_NE(product.shell().Find(In(kProduct, "Enregistrer Zephra")), nullptr);
}

TEST(CreateShortcutsTest, SkipShortcutUsesTheDefaultGroupWithoutAsking) {
  testing::SampleProduct product;
  product.script.configurations[kMinimum].skip_shortcut = true;
  EXPECT_EQ(product.Create(kMinimum), kProduct);
  EXPECT_TRUE(product.ui().dialogs().empty());
  EXPECT_NE(product.shell().Find(In(kGroup, "Uninstall Tarvex games")), nullptr);
}

TEST(CreateShortcutsTest, TheGroupChosenInTheDialogHoldsTheProductAndTheGroupShortcut) {
  testing::SampleProduct product("dialog 139 type 1012 \"Games\\\\Arcade\"\ndialog 139 press 1");
  const std::string group = "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Arcade";
  EXPECT_EQ(product.Create(kMinimum), group + "\\Zephra");
  EXPECT_NE(product.shell().Find(In(group, "Uninstall Tarvex games")), nullptr);
  EXPECT_NE(product.shell().Find(In(group + "\\Zephra", "1 Play Zephra")), nullptr);
  EXPECT_EQ(product.ui().AnswerProblems(), std::vector<std::string>{});
}

TEST(CreateShortcutsTest, WithoutIconTheProgramNameGivesTheIconAndNoWebShortcutUnlessAsked) {
  testing::SampleProduct product;
  product.script.icon.clear();
  product.script.web_shortcut = false;
  product.Create(kMinimum);
  const ShellLink* play = product.shell().Find(In(kProduct, "1 Play Zephra"));
  ASSERT_NE(play, nullptr);
  EXPECT_EQ(play->icon_path, "C:\\Tarvex\\Zephra\\Zephra.exe");
  EXPECT_EQ(product.shell().Find(In(kDesktop, "Zephra on the Web")), nullptr);
}

TEST(CreateShortcutsTest, TheRecordedDesktopShortcutIsThePlayShortcutWithoutItsExtension) {
  testing::SampleProduct product;
  EXPECT_EQ(DesktopShortcutPath(product.platform(), product.state.strings, "Zephra"),
            std::string(kDesktop) + "\\Play Zephra");
}

}  // namespace
}  // namespace tvx
