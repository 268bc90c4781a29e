// The strings table: entries, lookups by number, section and position.
#include "script/string_table.h"

#include <gtest/gtest.h>

#include "script/script_line_reader.h"
#include "script_test_support.h"

namespace tvx {
namespace {

StringTable TableOf(const std::string& text) {
  StringTable table;
  table.AppendAll(*PlainReaderOfBytes(text));
  return table;
}

TEST(StringTable, LinesBecomeNumberedEntries) {
  const struct {
    const char* line;
    std::int32_t number;
    const char* text;
  } cases[] = {
      {"12:Hello", 12, "Hello"},
      {"12:a:b", 12, "a:b"},
      {"x:text", 0, "text"},
      {" -3 :neg", -3, "neg"},
      {"[ConfigName]", -1, "[ConfigName]"},
      {"7:", 7, ""},
      {"8: spaced  ", 8, " spaced  "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(StringTable::ParseLine(c.line), (StringTable::Entry{c.number, c.text}));
  }
}

TEST(StringTable, LookupTakesTheFirstEntryAndOneSubstitution) {
  testing::RecordingUi ui;
  StringTable table = TableOf("// c\n1:first\n1:second\n2:Install in %s, not %s\n3:plain\n");
  EXPECT_EQ(table.LookupString(ui, 1), "first");
  EXPECT_EQ(table.LookupString(ui, 2, "C:\\Games"), "Install in C:\\Games, not %s");
  EXPECT_EQ(table.substitution_buffer(), "Install in C:\\Games, not %s");
  EXPECT_EQ(table.LookupString(ui, 2), "Install in %s, not %s") << "an empty argument leaves %s";
  EXPECT_EQ(table.LookupString(ui, 3, "x"), "plain");
  EXPECT_EQ(table.substitution_buffer(), "Install in C:\\Games, not %s") << "only substitutions overwrite it";
  EXPECT_TRUE(ui.boxes.empty());

  EXPECT_EQ(table.LookupString(ui, -42), "N U L L  String !!");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Erreur de cha\xEE"
            "ne\nid=-42");
  EXPECT_EQ(ui.boxes[0].caption, "SetupTvx");
}

TEST(StringTable, SectionsAndPositions) {
  testing::RecordingUi ui;
  StringTable table =
      TableOf("[Version 3]\n[ConfigName]\n2010:Minimum\n2011:Full\n[CPU]\n1000:386\n[Empty]\n");
  EXPECT_EQ(table.SectionNumber("ConfigName"), 2010);
  EXPECT_EQ(table.SectionNumber("CPU"), 1000);
  EXPECT_EQ(table.SectionNumber("Empty"), 0) << "a header on the last line";
  EXPECT_EQ(table.SectionNumber("Missing"), 0);
  EXPECT_EQ(table.SectionNumber("cpu"), 0);
  EXPECT_EQ(table.PositionOfText("Full"), 3);
  EXPECT_EQ(table.PositionOfText("full"), -1);
  EXPECT_EQ(table.TextAtPosition(ui, 0), "[Version 3]");
  EXPECT_EQ(table.TextAtPosition(ui, 6), "[Empty]");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(table.TextAtPosition(ui, 7), "N U L L  String !!");
  EXPECT_EQ(table.TextAtPosition(ui, -1), "N U L L  String !!");
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Erreur de cha\xEE"
                                                  "ne\nRank=7",
                                                  "Erreur de cha\xEE"
                                                  "ne\nRank=-1"}));
}

TEST(StringTable, NumbersAddedAfterADuplicateStillResolve) {
  testing::RecordingUi ui;
  StringTable table;
  table.Append({5, "a"});
  table.Append({5, "b"});
  table.Append({6, "c"});
  EXPECT_EQ(table.LookupString(ui, 5), "a");
  EXPECT_EQ(table.LookupString(ui, 6), "c");
  EXPECT_EQ(table.entries().size(), 3u);
}

}  // namespace
}  // namespace tvx
