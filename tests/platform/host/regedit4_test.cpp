// registry.reg: the REGEDIT4 text of the simulated registry.
#include "platform/host/regedit4.h"

#include <gtest/gtest.h>

namespace tvx::host {
namespace {

std::string RoundTrip(const std::string& text) {
  RegistryTree tree;
  EXPECT_TRUE(ParseRegedit4(text, tree).ok);
  return WriteRegedit4(tree);
}

TEST(Regedit4Test, EveryValueKindRoundTrips) {
  RegistryTree tree;
  RegistryKey& key = tree.Create(RegistryRoot::LocalMachine, "Software\\Tarvex\\Zephra");
  key.SetValue("Directory", RegistryValue::String("C:\\Tarvex\\Zephra\\"));
  key.SetValue("", RegistryValue::String("say \"hi\""));
  key.SetValue("Count", RegistryValue::Dword(42));
  key.SetValue("Bytes", RegistryValue{RegistryType::Binary, std::string(40, '\xAB')});
  key.SetValue("Lines", RegistryValue{RegistryType::String, std::string("a\nb\0", 4)});
  key.SetValue("Bare", RegistryValue{RegistryType::String, "no zero"});
  key.SetValue("Multi", RegistryValue{RegistryType::MultiString, std::string("a\0b\0\0", 5)});
  key.SetValue("Wide", RegistryValue{static_cast<RegistryType>(11), std::string(8, '\x01')});
  tree.Create(RegistryRoot::ClassesRoot, "http\\shell\\open");  // an empty key survives too

  const std::string written = WriteRegedit4(tree);
  RegistryTree again;
  const Regedit4Result result = ParseRegedit4(written, again);
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(WriteRegedit4(again), written);
  const RegistryKey* read = again.Find(RegistryRoot::LocalMachine, "SOFTWARE\\tarvex\\ZEPHRA");
  ASSERT_NE(read, nullptr);
  for (const auto& [name, value] : key.values) {
    SCOPED_TRACE(name);
    ASSERT_NE(read->FindValue(name), nullptr);
    EXPECT_EQ(*read->FindValue(name), value);
  }
  EXPECT_NE(again.Find(RegistryRoot::ClassesRoot, "http\\shell\\open"), nullptr);
}

TEST(Regedit4Test, TextIsWrittenTheWayRegeditWritesIt) {
  RegistryTree tree;
  RegistryKey& key = tree.Create(RegistryRoot::LocalMachine, "Software\\A");
  key.SetValue("Path", RegistryValue::String("C:\\x"));
  key.SetValue("N", RegistryValue::Dword(0x2A));
  key.SetValue("Exp", RegistryValue{RegistryType::ExpandString, std::string("%S%\0", 4)});
  EXPECT_EQ(WriteRegedit4(tree),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\A]\n\"Path\"=\"C:\\\\x\"\n\"N\"=dword:0000002a\n"
            "\"Exp\"=hex(2):25,53,25,00\n");
}

TEST(Regedit4Test, HexTypeNumbersAreHexadecimal) {
  // Regression: the writer once put the type number in decimal, so a type
  // above 9 came back as another type.
  const std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"Q\"=hex(b):01,02\n";
  RegistryTree tree;
  ASSERT_TRUE(ParseRegedit4(text, tree).ok);
  EXPECT_EQ(tree.Find(RegistryRoot::CurrentUser, "K")->FindValue("Q")->type, static_cast<RegistryType>(11));
  EXPECT_EQ(RoundTrip(text), text);
}

TEST(Regedit4Test, ReaderAcceptsContinuationsCrLfDeletionsAndComments) {
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Old]\r\n\"Gone\"=\"x\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Keep]\r\n\"Bin\"=hex:01,\\\r\n  02,03\r\n"
      "\"Drop\"=\"y\"\r\n\"Drop\"=-\r\n; a comment\r\n[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n";
  RegistryTree tree;
  const Regedit4Result result = ParseRegedit4(text, tree);
  ASSERT_TRUE(result.ok) << result.problem;
  EXPECT_EQ(tree.Find(RegistryRoot::LocalMachine, "Software\\Old"), nullptr);
  const RegistryKey* keep = tree.Find(RegistryRoot::LocalMachine, "Software\\Keep");
  ASSERT_NE(keep, nullptr);
  EXPECT_EQ(keep->FindValue("Bin")->data, "\x01\x02\x03");
  EXPECT_EQ(keep->FindValue("Drop"), nullptr);
}

// Pins a fault: lines the reader skipped were dropped from registry.reg at
// the machine's first save. A line that cannot be kept refuses the file.
TEST(Regedit4Test, ALineThatCannotBeKeptRefusesTheFileNamingIt) {
  struct Row {
    const char* label;
    const char* body;  // after the header and a good key with a value (lines 1 to 3)
    int line;
    const char* problem;
  };
  const Row rows[] = {
      {"a key under HKEY_USERS", "[HKEY_USERS\\.DEFAULT\\Software]\n", 4, "roots kept here"},
      {"a value under an unknown root", "\n[HKEY_NOWHERE\\X]\n\"Lost\"=\"z\"\n", 5, "roots kept here"},
      {"broken hex", "\"Bin\"=hex:01,zz\n", 4, "cannot be read"},
      {"broken hex after a continuation", "\"Bin\"=hex:01,\\\n  02,\\\n  0g\n\"N\"=\"x\"\n", 4,
       "cannot be read"},
      {"a bad dword", "\"D\"=dword:xyz\n", 4, "cannot be read"},
      {"words", "\r\nrandom words\r\n", 5, "cannot be read"},
      {"a value before any key", nullptr, 2, "outside any key"},
      {"a key without its bracket", "[HKEY_LOCAL_MACHINE\\Open\n", 4, "closing"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::string text = row.body
                                 ? std::string("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"V\"=\"1\"\n") + row.body
                                 : std::string("REGEDIT4\n\"V\"=\"1\"\n");
    RegistryTree tree;
    const Regedit4Result result = ParseRegedit4(text, tree);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.bad_line, row.line);
    EXPECT_NE(result.problem.find(row.problem), std::string::npos) << result.problem;
  }
}

TEST(Regedit4Test, TextWithoutTheHeaderIsRefused) {
  for (const char* text :
       {"", "Windows Registry Editor Version 5.00\n", "\xFF\xFE", "[HKEY_LOCAL_MACHINE\\X]\n"}) {
    RegistryTree tree;
    EXPECT_FALSE(ParseRegedit4(text, tree).ok) << text;
  }
}

}  // namespace
}  // namespace tvx::host
