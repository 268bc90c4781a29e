// The sample product under examples/disc: its script uses every keyword,
// its encoded container holds the same script, its strings name things.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "detection/hardware_probes.h"
#include "detection/processor_identification.h"
#include "script/detection_catalogue.h"
#include "script/keyword_table.h"
#include "script/script_line_reader.h"
#include "script/strings_loader.h"
#include "script_test_support.h"

namespace tvx {
namespace {
namespace fs = std::filesystem;

fs::path InstData() { return testing::SampleDisc() / "InstData"; }

void CopyInstData(testing::ScriptMachine& m, bool with_plain_script) {
  m.machine().CopyIn(InstData(), "D:\\InstData");
  if (!with_plain_script) fs::remove(m.machine().HostPath("D:\\InstData\\tvx.ins"));
}

// The install-data entry of the script file differs by nature: name and size.
void DropScriptEntries(InstallScript& script, const char* expected_name) {
  for (Configuration& configuration : script.configurations) {
    if (configuration.playable) continue;
    ASSERT_FALSE(configuration.files.items.empty());
    const CopyItem& entry = configuration.files.items.back();
    EXPECT_EQ(entry.source_name, expected_name);
    configuration.files.total -= entry.size;
    configuration.files.items.pop_back();
  }
}

TEST(ExampleDisc, ScriptUsesEveryKeyword) {
  const std::string text = testing::ReadHostText(InstData() / "tvx.ins");
  auto reader = PlainReaderOfBytes(text);
  std::set<Keyword> seen;
  for (std::string_view line = reader->NextSignificantLine(); !line.empty();
       line = reader->NextSignificantLine())
    seen.insert(KeywordTable::Classify(line));
  for (int number = 0; number < kKeywordCount; ++number) {
    SCOPED_TRACE(KeywordTable::Text(static_cast<Keyword>(number)));
    EXPECT_TRUE(seen.contains(static_cast<Keyword>(number)));
  }
}

TEST(ExampleDisc, PlainAndEncodedScriptsGiveTheSameModel) {
  testing::ScriptMachine plain;
  CopyInstData(plain, true);
  ASSERT_TRUE(plain.Load());
  EXPECT_FALSE(plain.script.load.encoded);
  // A master disc: DATA SOURCE stands only inside a block, so no warning.
  EXPECT_EQ(plain.ui().Texts(), std::vector<std::string>{});

  testing::ScriptMachine encoded;
  CopyInstData(encoded, false);
  ASSERT_TRUE(encoded.Load());
  EXPECT_TRUE(encoded.script.load.encoded);
  EXPECT_EQ(encoded.ui().Texts(), plain.ui().Texts());

  ASSERT_EQ(plain.script.configurations.size(), 4u);
  DropScriptEntries(plain.script, "Tvx.ins");
  DropScriptEntries(encoded.script, "Tvxins.dat");
  // Requirements point into each machine's own catalogue: compare by name.
  for (auto* script : {&plain.script, &encoded.script})
    for (Configuration& configuration : script->configurations)
      for (auto* list : {&configuration.hardware, &configuration.software, &configuration.system})
        for (Requirement& requirement : *list) {
          ASSERT_NE(requirement.test, nullptr);
          requirement.test = FindTest(plain.tests, requirement.test->name);
        }
  encoded.script.load = plain.script.load;
  EXPECT_TRUE(plain.script == encoded.script);
  EXPECT_EQ(plain.state.client_version, encoded.state.client_version);
}

TEST(ExampleDisc, StringsOfBothLanguagesNameTheConfigurationsAndTests) {
  const struct {
    const char* common;
    const char* product;
    std::vector<std::string> names;
    const char* cpu;
  } languages[] = {
      {"strings.eng",
       "zephra.eng",
       {"Full installation for 3Dfx cards", "Full installation", "Minimum installation",
        "Play from the CD-ROM"},
       "Processor"},
      {"strings.fra",
       "zephra.fra",
       {"Installation compl\xE8te pour cartes 3Dfx", "Installation compl\xE8te", "Installation minimale",
        "Jouer depuis le CD-ROM"},
       "Processeur"},
  };
  for (const auto& language : languages) {
    SCOPED_TRACE(language.common);
    testing::ScriptMachine m;
    CopyInstData(m, true);
    ASSERT_TRUE(m.Load());
    LoadStrings(m.platform(), m.state, "D:\\InstData", language.common, language.product);
    ASSERT_FALSE(m.state.strings_failed);
    SetLocalizedNames(m.tests, m.state.strings, m.ui());
    SetConfigurationNames(m.script, m.state.strings, m.ui());
    std::vector<std::string> names;
    for (const Configuration& configuration : m.script.configurations) names.push_back(configuration.name);
    EXPECT_EQ(names, language.names);
    EXPECT_EQ(FindTest(m.tests, "CPU")->display_name, language.cpu);
    EXPECT_EQ(FindTest(m.tests, "CPU")->value_base, 1000);
    EXPECT_EQ(FindTest(m.tests, "3DFX")->value_base, 0) << "a bare 3DFX line needs no section";
    EXPECT_EQ(m.ui().boxes.size(), 0u) << "no string is missing";
  }
}

// The name stands whole in the text: "Pentium II" is not in "Pentium III".
bool NamesWhole(std::string_view text, std::string_view name) {
  const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    if ((at == 0 || !word(text[at - 1])) && (end == text.size() || !word(text[end]))) return true;
  }
  return false;
}

// Script authors ask for a class by its label's number ("CPU > 1003"): the
// label of the class the rules give a known processor or screen names it.
TEST(ExampleDisc, ClassLabelsNameWhatTheClassRulesPutInEachClass) {
  struct Row {
    const char* test;
    const char* example;
    std::int32_t rule_class;
    const char* english;
    const char* french;
  };
  const Row rows[] = {
      {"CPU", "an Intel 386", ProcessorClass(processor_code::kIntel386), "386", "386"},
      {"CPU", "an Intel 486", ProcessorClass(IntelTypeCode(4, 0)), "486", "486"},
      {"CPU", "a Pentium", ProcessorClass(IntelTypeCode(5, 2)), "Pentium", "Pentium"},
      {"CPU", "a Pentium MMX", ProcessorClass(IntelTypeCode(5, 4)), "Pentium MMX", "Pentium MMX"},
      {"CPU", "a Pentium Pro", ProcessorClass(IntelTypeCode(6, 1)), "Pentium Pro", "Pentium Pro"},
      {"CPU", "an AMD Athlon", ProcessorClass(AmdTypeCode(6, 2)), "AMD", "AMD"},
      {"CPU", "a Cyrix 6x86", ProcessorClass(CyrixTypeCode(5, 2)), "Cyrix", "Cyrix"},
      {"CPU", "a Pentium II", ProcessorClass(IntelTypeCode(6, 3)), "Pentium II", "Pentium II"},
      {"CPU", "a Celeron with its cache", ProcessorClass(IntelTypeCode(6, 6)), "Celeron", "Celeron"},
      {"CPU", "a Pentium III", ProcessorClass(IntelTypeCode(6, 7)), "Pentium III", "Pentium III"},
      {"CPU", "a later family 6 processor", ProcessorClass(IntelTypeCode(6, 15)), "family 6", "famille 6"},
      {"CPU", "a Pentium 4", ProcessorClass(IntelTypeCode(15, 2)), "Pentium 4", "Pentium 4"},
      {"Windows resolution", "480 lines", ResolutionClass(480), "640 x 480", "640 x 480"},
      {"Windows resolution", "1200 lines", ResolutionClass(1200), "another", "autre"},
      {"Windows resolution", "600 lines", ResolutionClass(600), "x 600", "x 600"},
      {"Windows resolution", "768 lines", ResolutionClass(768), "x 768", "x 768"},
      {"Windows resolution", "1536 lines", ResolutionClass(1536), "x 1536", "x 1536"},
      {"Windows resolution", "864 lines", ResolutionClass(864), "x 864", "x 864"},
      {"Windows resolution", "1024 lines", ResolutionClass(1024), "x 1024", "x 1024"},
  };
  for (const bool french : {false, true}) {
    testing::ScriptMachine m;
    CopyInstData(m, true);
    ASSERT_TRUE(m.Load());
    LoadStrings(m.platform(), m.state, "D:\\InstData", french ? "strings.fra" : "strings.eng",
                french ? "zephra.fra" : "zephra.eng");
    ASSERT_FALSE(m.state.strings_failed);
    SetLocalizedNames(m.tests, m.state.strings, m.ui());
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(french ? "French: " : "English: ") + row.example);
      const std::int32_t number = FindTest(m.tests, row.test)->value_base + row.rule_class;
      const std::string label = m.state.strings.LookupString(m.ui(), number);
      EXPECT_TRUE(NamesWhole(label, french ? row.french : row.english)) << number << ":" << label;
    }
    EXPECT_EQ(m.ui().boxes.size(), 0u) << "no label is missing";
  }
}

}  // namespace
}  // namespace tvx
