// The readers of the sections' data lines.
#include "script/entry_readers.h"

#include <gtest/gtest.h>

#include "script_test_support.h"

namespace tvx {
namespace {

TEST(FileLine, NormalisesFoldersAndCountsBlocks) {
  const struct {
    const char* line;
    const char* source_subdirectory;
    const char* destination_directory;
    std::int32_t size;
    const char* destination_name;
  } cases[] = {
      {"a.dat,\\,,1024", "\\", "", 2, "a.dat"},
      {"a.dat,Data,Data,513", "\\Data\\", "Data\\", 2, "a.dat"},
      {"a.dat,\\Data,Data\\,0", "\\Data\\", "Data\\", 0, "a.dat"},
      {"a.dat,Data\\,*SharedDll*,1", "\\Data\\", "*SharedDll*\\", 1, "a.dat"},
      {"a.dat,,,10,b.dat", "", "", 1, "b.dat"},
      {"a.dat,,,10,b.dat,ignored", "", "", 1, "b.dat"},
      {"a.dat,,,10,", "", "", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    CopyItemList list;
    ASSERT_TRUE(ReadFileLine(c.line, list));
    const CopyItem& item = list.items.at(0);
    EXPECT_EQ(item.source_name, "a.dat");
    EXPECT_EQ(item.source_subdirectory, c.source_subdirectory);
    EXPECT_EQ(item.destination_directory, c.destination_directory);
    EXPECT_EQ(item.size, c.size);
    EXPECT_EQ(list.total, c.size);
    EXPECT_EQ(item.destination_name, c.destination_name);
    EXPECT_FALSE(item.font);
  }
  CopyItemList list;
  for (const char* refused : {"a.dat", "a.dat,b", "a.dat,b,c", ""}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(ReadFileLine(refused, list));
  }
  EXPECT_TRUE(list.items.empty());
}

TEST(LanguageLine, FillsShorterFifthAndSixthLists) {
  LanguageTable table;
  ASSERT_TRUE(ReadLanguageLine("English,English,strings.eng,zephra.eng,Readme.txt,six", table));
  ASSERT_TRUE(
      ReadLanguageLine("French,Fran\xE7"
                       "ais,strings.fra,zephra.fra",
                       table));
  ASSERT_TRUE(ReadLanguageLine("German,Deutsch,strings.ger,zephra.ger,Liesmich.txt", table));
  EXPECT_EQ(table.keys, (std::vector<std::string>{"English", "French", "German"}));
  EXPECT_EQ(table.labels[1],
            "Fran\xE7"
            "ais");
  EXPECT_EQ(table.product_strings_files[2], "zephra.ger");
  EXPECT_EQ(table.fifth_fields, (std::vector<std::string>{"Readme.txt", "Liesmich.txt"}));
  EXPECT_EQ(table.sixth_fields, (std::vector<std::string>{"six"}));
  EXPECT_FALSE(ReadLanguageLine("Dutch,Nederlands,strings.dut", table));
  EXPECT_EQ(table.keys.size(), 3u);
}

TEST(LanguageFileLine, TagLinesSetTheTagForTheItemsThatFollow) {
  testing::RecordingUi ui;
  CopyItemList list;
  std::string tag = "\\";
  ASSERT_TRUE(ReadLanguageFileLine("v.dat,Data,Data,1024", list, tag, ui));
  ASSERT_TRUE(ReadLanguageFileLine("Language,French", list, tag, ui));
  ASSERT_TRUE(ReadLanguageFileLine("v.dat,Data\\French,Data,1024,other.dat", list, tag, ui));
  EXPECT_EQ(tag, "French");
  ASSERT_EQ(list.items.size(), 2u);
  EXPECT_EQ(list.items[0].language_tag, "\\");
  EXPECT_EQ(list.items[1].language_tag, "French");
  EXPECT_EQ(list.items[1].source_subdirectory, "\\Data\\French\\");
  EXPECT_EQ(list.items[1].destination_name, "v.dat") << "no installed name for language files";
  EXPECT_EQ(list.items[1].size, 2);
  EXPECT_EQ(list.total, 0) << "language items count once a language is chosen";
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_FALSE(ReadLanguageFileLine("v.dat,Data", list, tag, ui));
  EXPECT_FALSE(ReadLanguageFileLine("language,French", list, tag, ui))
      << "the tag word is compared with case";
}

TEST(LanguageFileLine, CommentTagWarnsButKeepsTheItem) {
  testing::RecordingUi ui;
  CopyItemList list;
  std::string tag = "//";
  ASSERT_TRUE(ReadLanguageFileLine("v.dat,,,1", list, tag, ui));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Pas de langue d\xE9"
            "finie");
  EXPECT_EQ(ui.boxes[0].caption, "Liste des fichiers communs de langue");
  EXPECT_EQ(ui.boxes[0].style, box::kOk);
  EXPECT_EQ(list.items.size(), 1u);
}

TEST(FontLine, InstallsIntoTheFontsFolder) {
  CopyItemList list;
  ASSERT_TRUE(ReadFontLine("z.ttf,Fonts,45056,Zephra Sans", "C:\\WINDOWS\\FONTS", list));
  const CopyItem& item = list.items.at(0);
  EXPECT_EQ(item.source_name, "z.ttf");
  EXPECT_EQ(item.destination_name, "z.ttf");
  EXPECT_EQ(item.source_subdirectory, "\\Fonts\\");
  EXPECT_EQ(item.destination_directory, "C:\\WINDOWS\\FONTS\\");
  EXPECT_EQ(item.size, 88);
  EXPECT_EQ(item.font_name, "Zephra Sans");
  EXPECT_TRUE(item.font);
  EXPECT_FALSE(ReadFontLine("z.ttf,Fonts,45056", "C:\\WINDOWS\\FONTS", list));
}

TEST(NameLine, TrimsAndRefusesInnerBlanksAndCommas) {
  const struct {
    const char* line;
    bool erasable;
    bool accepted;
    std::vector<std::string> names;
  } cases[] = {
      {"  a.cfg\t ", false, true, {"a.cfg"}},
      {"*.*", true, true, {}},
      {"?.*", true, true, {}},
      {"*.*", false, true, {"*.*"}},
      {"Saves\\*.sav", true, true, {"Saves\\*.sav"}},
      {"a b.cfg", true, false, {}},
      {"a\tb", false, false, {}},
      {"a,b", false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> names;
    EXPECT_EQ(ReadNameLine(c.line, c.erasable, names), c.accepted);
    EXPECT_EQ(names, c.names);
  }
}

TEST(PositionLine, NeedsACommaAfterX) {
  ScreenPosition position{9, 9};
  EXPECT_TRUE(ReadPositionLine(" 12 , -3", position));
  EXPECT_EQ(position, (ScreenPosition{12, -3}));
  EXPECT_TRUE(ReadPositionLine("5,", position));
  EXPECT_EQ(position, (ScreenPosition{5, 0}));
  EXPECT_FALSE(ReadPositionLine("5", position));
  EXPECT_EQ(position, (ScreenPosition{5, 0})) << "a refused line leaves the position";
}

TEST(HardwareLine, OperatorsAndBareNames) {
  DetectionCatalogue tests;
  const struct {
    const char* line;
    const char* test;
    Comparison compare;
    std::int32_t value;
  } cases[] = {
      {"Memory > 32", "Memory", Comparison::AtLeast, 32},
      {"Memory >= 32", "Memory", Comparison::AtLeast, 0},
      {"CPU<1003", "CPU", Comparison::AtMost, 1003},
      {"CPU <= 1003", "CPU", Comparison::AtMost, 0},
      {"  3DFX  ", "3DFX", Comparison::Equal, 1},
      {"Windows colors = 1022", "Windows colors", Comparison::Equal, 1022},
      {"CD ROM Speed > 70000", "CD ROM Speed", Comparison::AtLeast, 4464},
      {"Power VR (Pod)", "Power VR (Pod)", Comparison::Equal, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<Requirement> list;
    ASSERT_TRUE(ReadHardwareLine(c.line, tests, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].test, FindTestIn(tests.HardwareTests(), c.test));
    EXPECT_EQ(list[0].compare, c.compare);
    EXPECT_EQ(list[0].value, c.value);
    EXPECT_FALSE(list[0].rebase);
    EXPECT_TRUE(list[0].selected);
  }
  std::vector<Requirement> list;
  for (const char* refused : {"cpu > 2", "Warp Drive", "W95", "Indeo5", ""}) {
    SCOPED_TRACE(refused);
    EXPECT_FALSE(ReadHardwareLine(refused, tests, list));
  }
  EXPECT_TRUE(list.empty());
}

TEST(SoftwareLine, KeepsInstallerFieldsAndAddsTheSize) {
  DetectionCatalogue tests;
  Configuration configuration;
  ASSERT_TRUE(ReadSoftwareLine("Indeo5,Indeo5,/q,1048577", tests, configuration));
  ASSERT_TRUE(ReadSoftwareLine("DXMedia", tests, configuration)) << "no comma is required";
  ASSERT_EQ(configuration.software.size(), 2u);
  const Requirement& indeo = configuration.software[0];
  EXPECT_EQ(indeo.test->name, "Indeo5");
  EXPECT_EQ(indeo.compare, Comparison::Equal);
  EXPECT_EQ(indeo.value, 1);
  EXPECT_EQ(indeo.installer_path, "Indeo5");
  EXPECT_EQ(indeo.installer_argument, "/q");
  EXPECT_EQ(configuration.component_size, 2049);
  EXPECT_EQ(configuration.files.total, 2049);
  EXPECT_TRUE(configuration.files.items.empty());
  EXPECT_FALSE(ReadSoftwareLine(" Indeo5,x,,1", tests, configuration)) << "the name is not trimmed";
}

TEST(ConfigurationLines, ShortcutsIniAndDllCall) {
  ShortcutList shortcuts;
  EXPECT_TRUE(ReadShortcutLine("Zephra,Zephra.exe,Zephra.ico,-full,HD", shortcuts));
  EXPECT_TRUE(ReadShortcutLine("Read me,,,,README,extra", shortcuts));
  EXPECT_FALSE(ReadShortcutLine("a,b,c,d", shortcuts));
  EXPECT_EQ(shortcuts.names, (std::vector<std::string>{"Zephra", "Read me"}));
  EXPECT_EQ(shortcuts.arguments[0], "-full");
  EXPECT_EQ(shortcuts.locations, (std::vector<std::string>{"HD", "README"}));

  IniEntries ini;
  EXPECT_TRUE(ReadIniLine("Detail,High,er", ini));
  EXPECT_FALSE(ReadIniLine("Detail", ini));
  EXPECT_EQ(ini.keys, std::vector<std::string>{"Detail"});
  EXPECT_EQ(ini.values, std::vector<std::string>{"High"});

  DllCall call;
  EXPECT_FALSE(ReadDllCallLine("a.dll,Go", call));
  EXPECT_FALSE(call.present);
  EXPECT_TRUE(ReadDllCallLine("a.dll,Go,data.cfg", call));
  EXPECT_EQ(call, (DllCall{true, "a.dll", "Go", "data.cfg"}));
}

}  // namespace
}  // namespace tvx
