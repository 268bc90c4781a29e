// The product registry editor's rules, on text alone.
#include "registry/product_registry_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registry_text.h"
#include "script/script_text.h"

namespace tvx {
namespace {

using Lines = std::vector<std::string>;

class ProductRegistryFileTest : public ::testing::Test {
 protected:
  RegistryProcessState state_;
};

Lines Entries(ProductRegistryFile& registry, std::string_view section) {
  Lines lines;
  std::string line;
  while (registry.NextEntry(section, line)) lines.push_back(line);
  return lines;
}

TEST_F(ProductRegistryFileTest, SectionLookupIgnoresCaseAndMatchesAnywhereInALine) {
  const char* text =
      "[SYSTEM]\nCD ROM Speed=8\n"
      "[INSTALLED PRODUCTS]\nZephra\n"
      "[Zephra]\nNote=see [Other] too\n"
      "[Zephra Gold]\nDirectory=C:\\Gold\\\n";
  const struct {
    const char* section;
    bool found;
    std::ptrdiff_t header;
  } rows[] = {
      {"INSTALLED PRODUCTS", true, 2},
      {"installed products", true, 2},
      {"Zephra", true, 4},
      // A value holding a bracketed name is that section's header too.
      {"other", true, 5},
      {"Zephra Gold", true, 6},
      {"Zephr", false, -1},
      {"", false, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.section);
    ProductRegistryFile registry(state_, text);
    EXPECT_EQ(registry.FindSection(row.section), row.found);
    if (row.found) {
      EXPECT_EQ(registry.position(), row.header);
    }
  }
}

TEST_F(ProductRegistryFileTest, KeysMatchExactlyAfterLeadingBlanksAndSkipComments) {
  const char* text =
      "[P]\n"
      "directory=lower\n"
      "Directory =blank before equals\n"
      "   // Directory=in a comment\n"
      " \t \n"
      "Bare\n"
      "\t Indented=yes\n"
      "Number=  -42abc\n"
      "Empty=\n"
      "[Q]\n"
      "Directory=other section\n";
  const struct {
    const char* key;
    bool found;
    bool readable;
    const char* value;
  } rows[] = {
      {"Directory", false, false, ""},  // neither "directory" nor "Directory " is the key
      {"directory", true, true, "lower"},
      {"Directory ", true, true, "blank before equals"},
      {"Bare", true, false, ""},  // a bare key is found but holds no value
      {"Indented", true, true, "yes"},
      {"Empty", true, true, ""},
      {"   // Directory", false, false, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.key);
    ProductRegistryFile registry(state_, text);
    EXPECT_EQ(registry.FindKey("P", row.key), row.found);
    std::string value = "untouched";
    EXPECT_EQ(registry.ReadString("P", row.key, value), row.readable);
    EXPECT_EQ(value, row.readable ? row.value : "untouched");
  }
  ProductRegistryFile registry(state_, text);
  std::int32_t number = 7;
  EXPECT_TRUE(registry.ReadLong("P", "Number", number));
  EXPECT_EQ(number, -42);
  EXPECT_FALSE(registry.ReadLong("P", "Bare", number));
  EXPECT_EQ(number, -42);
}

TEST_F(ProductRegistryFileTest, NumbersReadLikeTheCRuntime) {
  const struct {
    const char* text;
    std::int32_t value;
  } rows[] = {
      {"12", 12},
      {" \t+7x", 7},
      {"-0", 0},
      {"abc", 0},
      {"", 0},
      {"- 5", 0},
      {"2147483647", 2147483647},
      {"99999999999", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999", -2147483647 - 1},
      {"0012", 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseWholeNumber(row.text), row.value);
  }
}

TEST_F(ProductRegistryFileTest, NextEntryYieldsTheSectionInOrderThroughCommentsToTheNextHeader) {
  ProductRegistryFile registry(state_,
                               "[INSTALLED PRODUCTS]\r\nZephra\r\n// a note\r\n  Second Product\r\n"
                               "[Zephra]\r\nDirectory=C:\\Z\\\r\n");
  EXPECT_EQ(Entries(registry, "INSTALLED PRODUCTS"), (Lines{"Zephra", "Second Product"}));
  EXPECT_FALSE(state_.enumeration_running);
  EXPECT_EQ(registry.CountEntries("INSTALLED PRODUCTS"), 2);
  EXPECT_EQ(registry.CountEntries("Zephra"), 1);
  EXPECT_EQ(registry.CountEntries("missing"), 0);
}

TEST_F(ProductRegistryFileTest, ScanningEndsOnTrailingCommentsAndBlankLines) {
  for (const char* text : {"[S]\nA\n// last\n", "[S]\nA\n \t\n", "[S]\n// only\n", "// nothing\n"}) {
    SCOPED_TRACE(text);
    ProductRegistryFile registry(state_, text);
    EXPECT_FALSE(registry.FindKey("S", "B"));
    EXPECT_LE(registry.CountEntries("S"), 1);
    EXPECT_EQ(registry.NextLine(), "");
    EXPECT_EQ(registry.NextLine(), "");
  }
}

TEST_F(ProductRegistryFileTest, OneEnumerationRunsForTheWholeProcess) {
  ProductRegistryFile first(state_, "[A]\na1\na2\n[B]\nb1\n");
  ProductRegistryFile second(state_, "[C]\nc1\nc2\n");
  ASSERT_TRUE(second.FindSection("C"));
  std::string line;
  ASSERT_TRUE(first.NextEntry("A", line));
  EXPECT_EQ(line, "a1");
  // While it runs, another object's call ignores its section argument and
  // goes on from that object's own position.
  ASSERT_TRUE(state_.enumeration_running);
  EXPECT_TRUE(second.NextEntry("Missing", line));
  EXPECT_EQ(line, "c1");
  EXPECT_TRUE(second.NextEntry("Missing", line));
  EXPECT_EQ(line, "c2");
  EXPECT_FALSE(second.NextEntry("Missing", line));
  // Its end ended the first enumeration too: that one starts over.
  EXPECT_FALSE(state_.enumeration_running);
  ASSERT_TRUE(first.NextEntry("A", line));
  EXPECT_EQ(line, "a1");
  // Two sessions keep two flags.
  RegistryProcessState other_session;
  ProductRegistryFile third(other_session, "[B]\nb1\n");
  EXPECT_EQ(Entries(third, "B"), Lines{"b1"});
  EXPECT_TRUE(state_.enumeration_running);
  EXPECT_EQ(Entries(first, "A"), Lines{"a2"});
}

TEST_F(ProductRegistryFileTest, WritesInsertUnderTheHeaderReplaceInPlaceOrAppendASection) {
  ProductRegistryFile registry(state_, "[SYSTEM]\nCD ROM Speed=4\n[P]\nOld=1\n[Q]\nK=v\n");
  EXPECT_EQ(registry.WriteString("P", "First", "a"), kWriteStored);
  EXPECT_EQ(registry.WriteString("P", "Second", ""), kWriteStored);
  EXPECT_EQ(registry.WriteString("P", "Old", "replaced"), kWriteStored);
  EXPECT_EQ(registry.WriteLong("New", "Configuration", -3), kWriteSectionCreated);
  EXPECT_EQ(registry.WriteLong("New", "Configuration", 2), kWriteStored);
  EXPECT_EQ(registry.WriteSystemLong("CD ROM Speed", 24), kWriteStored);
  EXPECT_EQ(registry.WriteSystemLong("3D Card", 1), kWriteStored);
  EXPECT_TRUE(registry.modified());
  EXPECT_EQ(registry.lines(), (Lines{"[SYSTEM]", "3D Card=1", "CD ROM Speed=24", "[P]", "Second", "First=a",
                                     "Old=replaced", "[Q]", "K=v", "[New]", "Configuration=2"}));
}

TEST_F(ProductRegistryFileTest, WritingAnEmptyKeyNeverReplacesTheLastLineOfTheFile) {
  // Regression: the end of the list used to count as an empty line whose
  // empty key matched, so the write replaced the last line of the file.
  ProductRegistryFile registry(state_, "[P]\nDirectory=C:\\P\\\n");
  EXPECT_FALSE(registry.FindKey("P", ""));
  EXPECT_EQ(registry.WriteString("P", "", "value"), kWriteStored);
  EXPECT_EQ(registry.lines(), (Lines{"[P]", "=value", "Directory=C:\\P\\"}));
  EXPECT_TRUE(registry.FindKey("P", ""));
  EXPECT_EQ(registry.current_line(), "=value");
}

TEST_F(ProductRegistryFileTest, DeletesRemoveTheKeyAndAnEmptiedSection) {
  const char* text =
      "[INSTALLED PRODUCTS]\nZephra\nOther\n[Zephra]\nDirectory=C:\\Z\\\n  Indented=1\n"
      "[Alone]\nOnly=1\n// note\n[Tail]\nT=1\n";
  ProductRegistryFile registry(state_, text);
  EXPECT_TRUE(registry.DeleteKey("INSTALLED PRODUCTS", "Zephra"));
  EXPECT_TRUE(registry.DeleteKey("Alone", "Only"));
  EXPECT_TRUE(registry.DeleteKey("Zephra", "Missing"));
  EXPECT_TRUE(registry.DeleteKey("Nowhere", "Missing"));
  // The raw walk does not trim: an indented key stays although FindKey sees it.
  EXPECT_TRUE(registry.DeleteKey("Zephra", "Indented"));
  EXPECT_TRUE(registry.FindKey("Zephra", "Indented"));
  EXPECT_EQ(registry.lines(), (Lines{"[INSTALLED PRODUCTS]", "Other", "[Zephra]", "Directory=C:\\Z\\",
                                     "  Indented=1", "[Tail]", "T=1"}));
  EXPECT_TRUE(registry.DeleteSection("zephra"));
  EXPECT_TRUE(registry.DeleteSection("Nowhere"));
  EXPECT_EQ(registry.lines(), (Lines{"[INSTALLED PRODUCTS]", "Other", "[Tail]", "T=1"}));
  EXPECT_FALSE(state_.enumeration_running);
}

TEST_F(ProductRegistryFileTest, ParsingKeepsEveryByteButTheLineEnds) {
  const struct {
    const char* label;
    std::string text;
    Lines lines;
  } rows[] = {
      {"LF and CR LF", "a\r\nb\n\r\n\n c", {"a", "b", " c"}},
      {"lone CR stays", "a\rb\r\r\nc\r", {"a\rb\r", "c\r"}},
      {"NUL bytes", std::string("a\0b\n\0\n", 6), {std::string("a\0b", 3), std::string(1, '\0')}},
      {"no line end", "only", {"only"}},
      {"nothing", "", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ParseRegistryText(row.text), row.lines);
    EXPECT_EQ(ParseRegistryText(FormatRegistryText(row.lines, kSystemSection)), row.lines);
  }
}

TEST_F(ProductRegistryFileTest, TheSaveLayoutPutsTheSystemSectionFirst) {
  const struct {
    const char* label;
    const char* text;
    const char* saved;
  } rows[] = {
      {"system in the middle", "[INSTALLED PRODUCTS]\nZephra\n[SYSTEM]\nCD ROM Speed=8\n[Zephra]\nA=1\n",
       "[SYSTEM]\r\nCD ROM Speed=8\r\n\r\n[INSTALLED PRODUCTS]\r\nZephra\r\n\r\n[Zephra]\r\nA=1\r\n"},
      {"no system section", "[P]\nA=1\n", "\r\n[P]\r\nA=1\r\n"},
      // The system header is found with letter case, anywhere in the line.
      {"system name in lower case", "[A]\n[system]\nx=1\n", "\r\n[A]\r\n\r\n[system]\r\nx=1\r\n"},
      {"lines before any header", "loose\n[SYSTEM]\n", "[SYSTEM]\r\nloose\r\n"},
      {"comments kept", "[SYSTEM]\n// c\nA=1\n", "[SYSTEM]\r\n// c\r\nA=1\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ProductRegistryFile registry(state_, row.text);
    EXPECT_EQ(registry.Text(), row.saved);
    // The layout is rebuilt the same way from what it wrote.
    ProductRegistryFile again(state_, row.saved);
    EXPECT_EQ(again.Text(), row.saved);
  }
}

}  // namespace
}  // namespace tvx
