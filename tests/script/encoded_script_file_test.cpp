// The encoded container: records, the running key, and the file rules
// that choose between the plain script and its encoded forms.
#include "script/encoded_script_file.h"

#include <gtest/gtest.h>

#include "encoded_script_writer.h"
#include "script/script_line_reader.h"
#include "script/script_loader.h"
#include "script_test_support.h"

namespace tvx {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

// A key record followed by the given body bytes, enciphered.
std::string KeyedBody(std::initializer_list<int> plain_body) {
  const authoring::ContainerLayout layout;
  std::string container = Bytes({0x3B, layout.k0, layout.k1, layout.d0, layout.d1});
  std::uint8_t k0 = layout.k0, k1 = layout.k1;
  for (const int plain : plain_body) {
    container.push_back(static_cast<char>(static_cast<std::uint8_t>((plain ^ k1) + k0)));
    k0 = static_cast<std::uint8_t>(k0 + layout.d0);
    k1 = static_cast<std::uint8_t>(k1 + layout.d1);
  }
  return container;
}

std::string Decipher(std::string_view container) {
  EncodedScriptFile file{ByteStream(container)};
  std::string text;
  for (int c = file.ReadChar(); c >= 0; c = file.ReadChar()) text.push_back(static_cast<char>(c));
  return text;
}

// How the data ended once all of it was read: "" at the file's end,
// "cut@N" or "unknown@N" for a record at offset N.
std::string BreakOf(std::string_view container) {
  EncodedScriptFile file{ByteStream(container)};
  while (file.ReadChar() >= 0) {
  }
  const auto& broken = file.broken();
  if (!broken) return "";
  return (broken->cut ? "cut@" : "unknown@") + std::to_string(broken->offset);
}

std::vector<std::string> Lines(ScriptLineReader& reader) {
  std::vector<std::string> lines;
  for (std::string_view line = reader.NextSignificantLine(); !line.empty();
       line = reader.NextSignificantLine())
    lines.emplace_back(line);
  return lines;
}

TEST(EncodedScriptFile, DeciphersAHandMadeContainer) {
  // Key 10 20 01 02; a data record "Hi\n", an enciphered skip record over
  // two filler bytes (not read, so the key does not move), a data record "X".
  const std::string container =
      Bytes({0x3B, 0x10, 0x20, 0x01, 0x02, 0xF8, 0x32, 0x36, 0x39, 0x3C, 0x77, 0x5B, 0x3B,
             0x79, 0x49, 0x4E, 0x51, 0x54, 0xFF, 0xFF, 0x0F, 0x5B, 0x5D, 0x60, 0x63, 0x3E});
  EXPECT_EQ(Decipher(container), "Hi\nX");
  EXPECT_EQ(Lines(*EncodedReaderOfBytes(container)), (std::vector<std::string>{"Hi", "X"}));
}

TEST(EncodedScriptFile, ReadsWhatTheWriterWroteWhateverTheLayout) {
  const std::string text =
      "// comment\r\nAPPLICATION NAME\r\nZephra\r\n\r\n" + std::string(600, 'x') + "\nEND SCRIPT\n";
  const struct {
    const char* label;
    authoring::ContainerLayout layout;
  } layouts[] = {
      {"one record", {.chunk_size = 1 << 20}},
      {"one byte per record", {.chunk_size = 1}},
      {"odd records with filler",
       {.k0 = 0xFF,
        .k1 = 0,
        .d0 = 0xFF,
        .d1 = 0x80,
        .chunk_size = 7,
        .header_filler = 300,
        .body_filler = 3}},
  };
  const std::vector<std::string> expected = Lines(*PlainReaderOfBytes(text));
  for (const auto& c : layouts) {
    SCOPED_TRACE(c.label);
    const std::string container = authoring::WriteEncodedScript(text, c.layout);
    EXPECT_EQ(Decipher(container), text);
    auto plain = PlainReaderOfBytes(text);
    auto encoded = EncodedReaderOfBytes(container);
    EXPECT_EQ(Lines(*encoded), expected);
    Lines(*plain);
    EXPECT_EQ(encoded->line_count(), plain->line_count()) << "pieces and blank lines count alike";
  }
}

TEST(EncodedScriptFile, CarriageReturnsAreDroppedEverywhere) {
  const std::string container = authoring::WriteEncodedScript("A\rB\r\n");
  EXPECT_EQ(Lines(*EncodedReaderOfBytes(container)), (std::vector<std::string>{"AB"}));
}

TEST(EncodedScriptFile, BadContainersEndTheDataCleanlyAndTellWhere) {
  const std::string good = authoring::WriteEncodedScript("ONE\nTWO\n", {.chunk_size = 4});
  // The last record: its tag, its length and "TWO\n".
  const std::string last_record = "cut@" + std::to_string(good.size() - 9);
  const struct {
    const char* label;
    std::string bytes;
    std::string text;
    bool keyed;
    std::string broken;
  } cases[] = {
      {"empty file", "", "", false, "cut@0"},
      {"no key record", "plain text\n", "", false, "unknown@0"},
      {"key record cut short", Bytes({0x3B, 1, 2}), "", false, "cut@0"},
      {"header skip past the end", Bytes({0x51, 0x10, 0, 0, 0, 1}), "", false, "cut@0"},
      {"key and nothing else", Bytes({0x3B, 1, 2, 3, 4}), "", true, ""},
      {"last record cut short: dropped whole", good.substr(0, good.size() - 1), "ONE\n", true, last_record},
      {"a whole container", good, "ONE\nTWO\n", true, ""},
      // Pins a hang: a skip record pointing back at itself would be obeyed for ever.
      {"backward skip", Bytes({0x51, 0xFB, 0xFF, 0xFF, 0xFF}), "", false, "unknown@0"},
      // Pins an allocation of gigabytes on a forged length.
      {"forged huge length", KeyedBody({0xC8, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}), "", true, "cut@5"},
      {"length cut short", KeyedBody({0xC8, 2, 0}), "", true, "cut@5"},
      {"body skip past the end", KeyedBody({0xC8, 1, 0, 0, 0, 'a', 0x51, 9, 0, 0, 0, 'b'}), "a", true,
       "cut@11"},
      // Pins a hang: the same, inside the enciphered body.
      {"backward skip in the body", KeyedBody({0x51, 0xFB, 0xFF, 0xFF, 0xFF, 0xC8, 1, 0, 0, 0, 'a'}), "",
       true, "unknown@5"},
      {"unknown tag in the body", KeyedBody({0xC8, 1, 0, 0, 0, 'a', 0x3B, 0xC8, 1, 0, 0, 0, 'b'}), "a", true,
       "unknown@11"},
      {"empty records are passed over", KeyedBody({0xC8, 0, 0, 0, 0, 0xC8, 1, 0, 0, 0, 'c'}), "c", true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EncodedScriptFile file{ByteStream(c.bytes)};
    EXPECT_EQ(file.keyed(), c.keyed);
    EXPECT_EQ(Decipher(c.bytes), c.text);
    EXPECT_EQ(BreakOf(c.bytes), c.broken);
  }
}

TEST(EncodedBaseName, RemovesTheLastDot) {
  EXPECT_EQ(EncodedBaseName("D:\\InstData\\tvx.ins"), "D:\\InstData\\tvxins");
  EXPECT_EQ(EncodedBaseName("D:\\Inst.Data\\tvx"), "D:\\InstData\\tvx");
  EXPECT_EQ(EncodedBaseName("tvx"), "tvx");
  EXPECT_EQ(EncodedBaseName(".ins"), "ins");
}

TEST(OpenScript, PrefersThePlainFileThenDatThenDes) {
  const std::string script = testing::Lines({"APPLICATION NAME", "Plain", "END SCRIPT"});
  const auto encoded = [](const char* name) {
    return authoring::WriteEncodedScript(testing::Lines({"APPLICATION NAME", name, "END SCRIPT"}));
  };
  testing::ScriptMachine m;
  m.machine().WriteFile("D:\\InstData\\Tvxins.des", encoded("Des"));
  ASSERT_TRUE(m.Load());
  EXPECT_EQ(m.script.application_name, "Des");
  EXPECT_TRUE(m.script.load.encoded);

  m.machine().WriteFile("D:\\InstData\\TVXINS.DAT", encoded("Dat"));
  ASSERT_TRUE(m.Load());
  EXPECT_EQ(m.script.application_name, "Dat") << ".dat wins over .des; names match without case";

  m.machine().WriteFile("D:\\InstData\\tvx.ins", script);
  m.script = {};
  ASSERT_TRUE(m.Load());
  EXPECT_EQ(m.script.application_name, "Plain");
  EXPECT_FALSE(m.script.load.encoded);
  EXPECT_TRUE(m.ui().boxes.empty());
}

TEST(OpenScript, NothingToOpenShowsTheMissingFileMessage) {
  testing::ScriptMachine m;
  EXPECT_FALSE(m.Load());
  ASSERT_EQ(m.ui().boxes.size(), 1u);
  EXPECT_EQ(m.ui().boxes[0].text, "Script not loaded !\nCould not open the fileD:\\InstData\\tvx.ins");
  EXPECT_EQ(m.ui().boxes[0].caption, "Error");
  EXPECT_EQ(m.ui().boxes[0].style, box::kIconHand);
}

}  // namespace
}  // namespace tvx
