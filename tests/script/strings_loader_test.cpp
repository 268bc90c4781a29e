// Loading a language's strings files and keeping the shared copies fresh.
#include "script/strings_loader.h"

#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "script/script_line_reader.h"
#include "script_test_support.h"

namespace tvx {
namespace {

using testing::ScriptMachine;

constexpr const char* kShared = "C:\\WINDOWS\\Tarvex\\";
constexpr const char* kDisc = "D:\\InstData\\";

std::string At(const char* folder, const char* name) { return std::string(folder) + name; }

void WriteDisc(ScriptMachine& m, const std::string& mark) {
  m.machine().WriteFile(At(kDisc, "strings.eng"), mark + "\r\n150:Processor\r\n");
  m.machine().WriteFile(At(kDisc, "strings.fra"), mark + "\r\n150:Processeur\r\n");
  m.machine().WriteFile(At(kDisc, "zephra.eng"), "[ConfigName]\r\n2010:Minimum\r\n");
}

TEST(LoadStrings, AppendsTheCommonThenTheProductFile) {
  ScriptMachine m;
  WriteDisc(m, "[Version 2]");
  LoadStrings(m.platform(), m.state, "D:\\InstData", "strings.eng", "zephra.eng");
  EXPECT_FALSE(m.state.strings_failed);
  EXPECT_TRUE(m.ui().boxes.empty());
  const std::vector<StringTable::Entry> expected = {
      {-1, "[Version 2]"}, {150, "Processor"}, {-1, "[ConfigName]"}, {2010, "Minimum"}};
  EXPECT_EQ(m.state.strings.entries(), expected);

  LoadStrings(m.platform(), m.state, "D:\\InstData", "strings.eng", "zephra.eng");
  EXPECT_EQ(m.state.strings.entries().size(), 8u) << "loading again appends";
  EXPECT_EQ(m.state.strings.LookupString(m.ui(), 150), "Processor");
}

TEST(LoadStrings, RefreshesTheSharedCopiesOnlyWhenTheyAreOlder) {
  const struct {
    const char* label;
    const char* shared_mark;  // null: no shared copy
    bool copied;
  } cases[] = {
      {"no shared copy", nullptr, true},
      {"older shared copy", "[Version 1]", true},
      {"same mark", "[Version 2]", false},
      {"newer shared copy", "[Version 3]", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptMachine m;
    WriteDisc(m, "[Version 2]");
    if (c.shared_mark)
      m.machine().WriteFile(At(kShared, "strings.eng"), std::string(c.shared_mark) + "\n150:kept\n");
    LoadStrings(m.platform(), m.state, "D:\\InstData", "strings.eng", "zephra.eng");
    EXPECT_EQ(m.state.strings.LookupString(m.ui(), 150), c.copied ? "Processor" : "kept");
    EXPECT_EQ(FileExists(m.platform().files, At(kShared, "strings.fra")), c.copied) << "every strings.* goes";
    EXPECT_FALSE(FileExists(m.platform().files, At(kShared, "zephra.eng"))) << "product files stay";
  }
}

// Pins a fault: the copies were truncated and written in place, so a full
// disk left a cut "strings.eng" whose first line looked fresh: it was never
// copied again and every later run lacked its strings.
TEST(LoadStrings, AFullDiskAtAnyByteLeavesEachSharedCopyOldOrNewAndTriesAgain) {
  const std::string old_eng = "[Version 1]\r\n150:P\r\n";
  const std::string old_fra = "[Version 1]\r\n150:P\r\n";
  const std::string new_eng = "[Version 2]\r\n150:Processor\r\n151:Memory\r\n";
  const std::string new_fra = "[Version 2]\r\n150:Processeur\r\n151:M\xE9moire\r\n";
  ScriptMachine m;
  m.machine().WriteFile(At(kDisc, "strings.eng"), new_eng);
  m.machine().WriteFile(At(kDisc, "strings.fra"), new_fra);
  m.machine().WriteFile("C:\\filler.bin", "");
  const std::filesystem::path filler = m.machine().HostPath("C:\\filler.bin");
  FileSystem& files = m.platform().files;
  bool refreshed = false;
  for (std::uint64_t free_bytes = 0; !refreshed; ++free_bytes) {
    SCOPED_TRACE("free bytes: " + std::to_string(free_bytes));
    ASSERT_LT(free_bytes, 400u);
    m.machine().WriteFile(At(kShared, "strings.eng"), old_eng);
    m.machine().WriteFile(At(kShared, "strings.fra"), old_fra);
    std::filesystem::resize_file(filler, 0);
    std::filesystem::resize_file(filler, files.FreeSpace("C:\\")->free_bytes - free_bytes);
    ASSERT_EQ(files.FreeSpace("C:\\")->free_bytes, free_bytes);
    LoadStrings(m.platform(), m.state, "D:\\InstData", "strings.eng", "zephra.eng");
    std::string eng, fra;
    ReadWholeFile(files, At(kShared, "strings.eng"), eng);
    ReadWholeFile(files, At(kShared, "strings.fra"), fra);
    EXPECT_TRUE(eng == old_eng || eng == new_eng) << eng;
    EXPECT_TRUE(fra == old_fra || fra == new_fra) << fra;
    EXPECT_FALSE(FileExists(files, At(kShared, "strings.tmp")));
    if (eng == old_eng) {
      // Still marked old: with room again the next run copies them all.
      std::filesystem::resize_file(filler, 0);
      files.FreeSpace("C:\\");
      LoadStrings(m.platform(), m.state, "D:\\InstData", "strings.eng", "zephra.eng");
      ReadWholeFile(files, At(kShared, "strings.fra"), fra);
      EXPECT_EQ(fra, new_fra);
    }
    refreshed = eng != old_eng;
    if (HasFailure()) return;
  }
}

TEST(LoadStrings, UnreadableFilesAreReportedByFreeMemory) {
  const struct {
    const char* label;
    const char* memory;
    const char* message;
  } cases[] = {
      {"memory to spare", R"("available_physical": 4194304, "available_page_file": 6291456)",
       "Can't read D:\\InstData\\zephra.fra !!"},
      {"10 MiB less one byte", R"("available_physical": 4194304, "available_page_file": 6291455)",
       "You do not have enough space on your hard drive."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    testing::TestMachine::Options options;
    const std::string memory = R"("memory": {)";
    options.profile_json.replace(options.profile_json.find(memory), memory.size(), memory + c.memory + ", ");
    ScriptMachine m(options);
    WriteDisc(m, "[Version 2]");
    LoadStrings(m.platform(), m.state, "D:\\InstData", "strings.eng", "zephra.fra");
    EXPECT_TRUE(m.state.strings_failed);
    EXPECT_EQ(m.ui().Texts(), std::vector<std::string>{c.message});
    ASSERT_EQ(m.ui().boxes.size(), 1u);
    EXPECT_EQ(m.ui().boxes[0].caption, "SetupTvx");
    EXPECT_EQ(m.state.strings.entries().size(), 2u) << "the readable file still loads";
  }
}

TEST(ReadOneString, ReadsTheSharedFileWithoutTheTable) {
  ScriptMachine m;
  m.machine().WriteFile(At(kShared, "strings.eng"),
                        "[Version 1]\n150:Processor\nnocolon\n151:a:b\n151:second\n");
  EXPECT_EQ(ReadOneString(m.platform(), m.state, "strings.eng", 151), "a:b");
  EXPECT_EQ(ReadOneString(m.platform(), m.state, "strings.eng", 999), "N U L L  String !!");
  EXPECT_TRUE(m.state.strings.entries().empty());
  EXPECT_TRUE(m.ui().boxes.empty());
  EXPECT_FALSE(m.state.strings_failed);

  EXPECT_EQ(ReadOneString(m.platform(), m.state, "strings.ger", 150), "N U L L  String !!");
  EXPECT_TRUE(m.state.strings_failed);
  EXPECT_EQ(m.ui().Texts(), std::vector<std::string>{"Can't read C:\\WINDOWS\\Tarvex\\strings.ger !!"});
}

TEST(SetConfigurationNames, CountsFromTheConfigNameSection) {
  ScriptMachine m;
  m.script.configurations.resize(3);
  m.state.strings.AppendAll(*PlainReaderOfBytes("[ConfigName]\n2010:Minimum\n2011:Full\n"));
  SetConfigurationNames(m.script, m.state.strings, m.ui());
  EXPECT_EQ(m.script.configurations[0].name, "Minimum");
  EXPECT_EQ(m.script.configurations[1].name, "Full");
  EXPECT_EQ(m.script.configurations[2].name, "N U L L  String !!");
  EXPECT_EQ(m.ui().Texts(), std::vector<std::string>{"Erreur de cha\xEE"
                                                     "ne\nid=2012"});
}

}  // namespace
}  // namespace tvx
