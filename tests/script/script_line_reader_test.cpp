// The significant-line reader, fields and numbers.
#include "script/script_line_reader.h"

#include <gtest/gtest.h>

#include <limits>

#include "script/script_text.h"

namespace tvx {
namespace {

struct ReadLine {
  std::string text;
  std::int32_t count;  // the line count when it was delivered
  bool operator==(const ReadLine&) const = default;
};

std::vector<ReadLine> ReadAll(ScriptLineReader& reader) {
  std::vector<ReadLine> lines;
  for (std::string_view line = reader.NextSignificantLine(); !line.empty();
       line = reader.NextSignificantLine())
    lines.push_back({std::string(line), reader.line_count()});
  return lines;
}

std::vector<ReadLine> ReadPlain(const std::string& bytes) { return ReadAll(*PlainReaderOfBytes(bytes)); }

TEST(ScriptLineReader, SkipsBlankAndCommentLinesButCountsThem) {
  const struct {
    const char* label;
    std::string bytes;
    std::vector<ReadLine> expected;
  } cases[] = {
      {"blank and tab lines", " \t \n\nA\n", {{"A", 3}}},
      {"comments, also after blanks", "// one\n   // two\nB\n", {{"B", 3}}},
      {"leading blanks go, trailing stay", "  \tC  \n", {{"C  ", 1}}},
      {"// later in a line is data", "D // kept\n", {{"D // kept", 1}}},
      {"single slash is data", "/E\n", {{"/E", 1}}},
      {"no final line feed", "F", {{"F", 1}}},
      {"CR LF is one line end", "G\r\nH\r\n", {{"G", 1}, {"H", 2}}},
      {"a lone CR stays in the line", "I\rJ\n", {{"I\rJ", 1}}},
      {"Ctrl-Z ends a text file", "K\n\x1AL\n", {{"K", 1}}},
      {"a zero byte ends the line", std::string("MN\0OP\nQ\n", 8), {{"MN", 1}, {"Q", 2}}},
      {"a line starting with a zero byte is blank", std::string("\0x\nR\n", 5), {{"R", 2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ReadPlain(c.bytes), c.expected);
  }
}

TEST(ScriptLineReader, LongLinesComeInPiecesOf499CountedAsLines) {
  const std::string six_hundred(600, 'a');
  auto lines = ReadPlain(six_hundred + "\nEND\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (ReadLine{std::string(499, 'a'), 1}));
  EXPECT_EQ(lines[1], (ReadLine{std::string(101, 'a'), 2}));
  EXPECT_EQ(lines[2], (ReadLine{"END", 3}));

  // Exactly 499 characters: the line feed is read alone as a blank line.
  lines = ReadPlain(std::string(499, 'b') + "\nEND\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], (ReadLine{"END", 3}));
}

TEST(ScriptLineReader, EndOfFileIsTheEmptyTextAndStaysSo) {
  auto reader = PlainReaderOfBytes("A\n\n");
  EXPECT_EQ(reader->NextSignificantLine(), "A");
  EXPECT_EQ(reader->NextSignificantLine(), "");
  EXPECT_EQ(reader->NextSignificantLine(), "");
  EXPECT_EQ(reader->line_count(), 2);
}

TEST(SplitField, ReturnsTheNthFieldAndWhetherACommaFollows) {
  const struct {
    const char* line;
    int n;
    const char* text;
    bool comma;
  } cases[] = {
      {"a,b,c", 1, "a", true},    {"a,b,c", 2, "b", true}, {"a,b,c", 3, "c", false}, {"a,b,c", 5, "c", false},
      {"a", 1, "a", false},       {"a", 2, "a", false},    {",,", 2, "", true},      {"a,,c", 2, "", true},
      {" a , b", 2, " b", false}, {"a,b,", 3, "", false},  {"", 1, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.line) + " field " + std::to_string(c.n));
    const Field field = SplitField(c.line, c.n);
    EXPECT_EQ(field.text, c.text);
    EXPECT_EQ(field.comma_follows, c.comma);
  }
}

TEST(ParseWholeNumber, ReadsLikeTheCLibrary) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"42", 42},
      {"  \t42abc", 42},
      {"-7", -7},
      {"+3", 3},
      {"abc", 0},
      {"", 0},
      {"=32", 0},
      {"- 5", 0},
      {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
      {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseWholeNumber(c.text), c.value);
  }
  EXPECT_EQ(ParseShortNumber("40000"), -25536) << "short fields keep the low 16 bits";
  EXPECT_EQ(ParseShortNumber("-1"), -1);
}

TEST(BlocksOfBytes, RoundsUpAndIgnoresNegativeSizes) {
  EXPECT_EQ(BlocksOfBytes(0), 0);
  EXPECT_EQ(BlocksOfBytes(1), 1);
  EXPECT_EQ(BlocksOfBytes(512), 1);
  EXPECT_EQ(BlocksOfBytes(513), 2);
  EXPECT_EQ(BlocksOfBytes(1024), 2);
  // Pins the fault where a negative size would shrink the space needed.
  EXPECT_EQ(BlocksOfBytes(-1), 0);
  EXPECT_EQ(BlocksOfBytes(-1024), 0);
}

}  // namespace
}  // namespace tvx
