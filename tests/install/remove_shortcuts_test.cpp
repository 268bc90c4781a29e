// Removing shortcuts on uninstall: the shared group shortcut goes with the
// last product of the group, and a record pointing elsewhere deletes nothing.
#include <gtest/gtest.h>

#include "install/remove_shortcuts.h"
#include "install/shortcut_test_support.h"
#include "support/seam_files.h"

namespace tvx {
namespace {

constexpr const char* kPrograms = "C:\\WINDOWS\\Start Menu\\Programs";
constexpr const char* kGroup = "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games";
constexpr const char* kRegistry = "C:\\WINDOWS\\Tarvex\\tvx.ini";
const std::string kGroupShortcut = std::string(kGroup) + "\\Uninstall Tarvex games.lnk";
const std::string kFrenchGroupShortcut = std::string(kGroup) + "\\D\xE9sinstaller les jeux Tarvex.lnk";

std::string Record(const std::string& product, const std::string& folder, const std::string& desktop,
                   const std::string& web = "") {
  std::string text =
      "[" + product + "]\r\nShortCutDirectory=" + folder + "\r\nShortCutDesktopName=" + desktop + "\r\n";
  if (!web.empty()) text += "WebShortCutDesktopName=" + web + "\r\n";
  return text + "\r\n";
}

std::string Installed(std::initializer_list<const char*> products) {
  std::string text = "[INSTALLED PRODUCTS]\r\n";
  for (const char* product : products) text += std::string(product) + "\r\n";
  return text + "\r\n";
}

const std::string kZephra =
    Record("Zephra", std::string(kGroup) + "\\Zephra", "C:\\WINDOWS\\Desktop\\Play Zephra",
           "C:\\WINDOWS\\Desktop\\Zephra on the Web");

class RemoveShortcutsTest : public ::testing::Test {
 protected:
  FileSystem& files() { return product_.platform().files; }
  bool Exists(const std::string& path) { return testing::Exists(files(), path); }
  void Put(const std::string& path) { product_.machine().WriteFile(path, "shortcut"); }
  void Remove(const std::string& product) {
    const auto recorded = ReadRecordedShortcuts(files(), registry_state_, product);
    ASSERT_TRUE(recorded);
    RemoveShortcuts(product_.platform(), product_.state, registry_state_, *recorded);
  }

  testing::SampleProduct product_;
  RegistryProcessState registry_state_;
};

TEST_F(RemoveShortcutsTest, TwoProductsShareTheGroupShortcutWhichGoesWithTheLastOfThem) {
  product_.Create(2);
  Put(kFrenchGroupShortcut);
  Put(std::string(kGroup) + "\\Nebula\\1 Play Nebula.lnk");
  const std::string nebula =
      Record("Nebula", std::string(kGroup) + "\\Nebula", "C:\\WINDOWS\\Desktop\\Play Nebula");
  product_.machine().WriteFile(kRegistry, Installed({"Zephra", "Nebula"}) + kZephra + nebula);

  Remove("Zephra");
  EXPECT_FALSE(Exists(std::string(kGroup) + "\\Zephra"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\Desktop\\Play Zephra.lnk"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\Desktop\\Zephra on the Web.lnk"));
  EXPECT_TRUE(Exists(kGroupShortcut));
  EXPECT_TRUE(Exists(kFrenchGroupShortcut));
  EXPECT_TRUE(Exists(std::string(kGroup) + "\\Nebula\\1 Play Nebula.lnk"));

  // The uninstaller has dropped Zephra's record; Nebula is the last one.
  product_.machine().WriteFile(kRegistry, Installed({"Nebula"}) + nebula);
  Remove("Nebula");
  EXPECT_FALSE(Exists(kGroupShortcut));
  EXPECT_FALSE(Exists(kFrenchGroupShortcut));
  EXPECT_FALSE(Exists(kGroup));
  EXPECT_TRUE(Exists(kPrograms));
}

TEST_F(RemoveShortcutsTest, AnotherProductUsesTheGroupWhenItsFolderLiesInIt) {
  struct Row {
    const char* label;
    std::string other;
    bool kept;
  };
  const Row rows[] = {
      {"same group", Record("Nebula", std::string(kGroup) + "\\Nebula", "C:\\WINDOWS\\Desktop\\N"), true},
      {"same group in other letters",
       Record("Nebula", "c:\\windows\\start menu\\programs\\TARVEX GAMES\\Nebula", "D"), true},
      {"recorded with a final backslash", Record("Nebula", std::string(kGroup) + "\\Nebula\\", "D"), true},
      {"another group", Record("Nebula", std::string(kPrograms) + "\\Other\\Nebula", "D"), false},
      {"a folder inside the product's", Record("Nebula", std::string(kGroup) + "\\Zephra\\Nebula", "D"),
       false},
      {"listed without shortcuts", "[Nebula]\r\nDirectory=C:\\Nebula\\\r\n\r\n", false},
      {"a record without a listing", "", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Put(kGroupShortcut);
    Put(std::string(kGroup) + "\\Zephra\\1 Play Zephra.lnk");
    const char* listed = row.other.empty() ? "Zephra" : "Nebula";
    product_.machine().WriteFile(
        kRegistry, Installed({"Zephra", listed}) + kZephra +
                       (row.other.empty() ? Record("Nebula", std::string(kGroup) + "\\N", "D") : row.other));
    Remove("Zephra");
    EXPECT_EQ(Exists(kGroupShortcut), row.kept);
    EXPECT_FALSE(Exists(std::string(kGroup) + "\\Zephra\\1 Play Zephra.lnk"));
  }
}

TEST_F(RemoveShortcutsTest, AHandEditedRecordPointingElsewhereTouchesNothingThere) {
  const std::vector<std::string> others = {"C:\\WINDOWS\\win.ini",
                                           "C:\\WINDOWS\\win.lnk",
                                           "C:\\WINDOWS\\Desktop.lnk",
                                           "C:\\WINDOWS\\SYSTEM\\config.lnk",
                                           "C:\\Uninstall Tarvex games.lnk",
                                           "C:\\WINDOWS\\Start Menu\\Other.lnk",
                                           "C:\\WINDOWS\\Start Menu\\Uninstall Tarvex games.lnk",
                                           std::string(kPrograms) + "\\Other.lnk",
                                           std::string(kPrograms) + "\\StartUp\\Other.lnk",
                                           std::string(kPrograms) + "\\Accessories\\Other.lnk",
                                           "C:\\WINDOWS\\Desktop\\Mine.lnk",
                                           "C:\\WINDOWS\\Desktop\\Sub\\Game.lnk",
                                           "C:\\Games\\Saved.lnk"};
  struct Row {
    const char* label;
    std::string folder;
    std::string desktop;
  };
  const std::string desktop = "C:\\WINDOWS\\Desktop\\Play Zephra";
  const Row rows[] = {
      {"the Windows folder", "C:\\WINDOWS", desktop},
      {"the Programs folder itself", kPrograms, desktop},
      {"the Start menu", "C:\\WINDOWS\\Start Menu", desktop},
      {"the Startup folder", std::string(kPrograms) + "\\StartUp", desktop},
      {"the Startup folder by its short name", std::string(kPrograms) + "\\STARTU~1", desktop},
      {"out of the Programs through ..", std::string(kPrograms) + "\\..\\..\\..\\Games", desktop},
      {"a name the platform shortens", std::string(kPrograms) + "\\Accessories.", desktop},
      {"another drive", "D:\\Games", desktop},
      {"a desktop shortcut elsewhere", std::string(kGroup) + "\\Zephra", "C:\\WINDOWS\\SYSTEM\\config"},
      {"a desktop shortcut out through ..", std::string(kGroup) + "\\Zephra",
       "C:\\WINDOWS\\Desktop\\..\\win"},
      {"the desktop folder as a shortcut", std::string(kGroup) + "\\Zephra", "C:\\WINDOWS\\Desktop"},
      {"a desktop shortcut in a subfolder", std::string(kGroup) + "\\Zephra",
       "C:\\WINDOWS\\Desktop\\Sub\\Game"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    for (const std::string& path : others) Put(path);
    product_.machine().WriteFile(kRegistry, Installed({"Zephra"}) + Record("Zephra", row.folder, row.desktop,
                                                                           "C:\\WINDOWS\\Desktop\\..\\win"));
    Remove("Zephra");
    for (const std::string& path : others) EXPECT_TRUE(Exists(path)) << path;
    for (const char* folder : {kPrograms, "C:\\WINDOWS\\Start Menu", "C:\\WINDOWS\\Desktop",
                               "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"})
      EXPECT_TRUE(Exists(folder)) << folder;
  }
}

TEST_F(RemoveShortcutsTest, OnlyProductsWithBothShortcutEntriesHaveARecord) {
  product_.machine().WriteFile(
      kRegistry, Installed({"Zephra", "Nebula"}) + kZephra + "[Nebula]\r\nShortCutDirectory=C:\\N\r\n\r\n");
  const auto zephra = ReadRecordedShortcuts(files(), registry_state_, "Zephra");
  ASSERT_TRUE(zephra);
  EXPECT_EQ(zephra->folder, std::string(kGroup) + "\\Zephra");
  EXPECT_EQ(zephra->desktop, "C:\\WINDOWS\\Desktop\\Play Zephra");
  EXPECT_EQ(zephra->web_desktop, "C:\\WINDOWS\\Desktop\\Zephra on the Web");
  EXPECT_FALSE(ReadRecordedShortcuts(files(), registry_state_, "Nebula"));
}

}  // namespace
}  // namespace tvx
