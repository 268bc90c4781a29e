// The test catalogues as data, requirement evaluation and localized names.
#include "script/detection_catalogue.h"

#include <gtest/gtest.h>

#include "script/requirement.h"
#include "script/script_line_reader.h"
#include "script/string_table.h"
#include "support/recording_ui.h"

namespace tvx {
namespace {

struct Row {
  const char* name;
  std::int32_t display;
  bool raw;
  const char* key;
};

void ExpectCatalogue(const std::vector<DetectionTest>& tests, const std::vector<Row>& rows) {
  ASSERT_EQ(tests.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(tests[i].name, rows[i].name);
    EXPECT_EQ(tests[i].display_number, rows[i].display);
    EXPECT_EQ(tests[i].raw, rows[i].raw);
    EXPECT_EQ(tests[i].value_base_key, rows[i].key);
    EXPECT_FALSE(tests[i].probe) << "probes are bound by the detection code, not here";
    EXPECT_EQ(tests[i].result, 0);
    EXPECT_EQ(tests[i].value_base, 0);
  }
}

TEST(DetectionCatalogue, HoldsTheThreeCataloguesInOrder) {
  const DetectionCatalogue catalogue;
  ExpectCatalogue(catalogue.HardwareTests(), {{"CPU", 150, false, "CPU"},
                                              {"Windows resolution", 151, false, "Windows resolution"},
                                              {"Windows colors", 152, false, "Windows colors"},
                                              {"MMX", 153, false, "MMX"},
                                              {"Memory", 154, true, "Memory"},
                                              {"S3D Card", 156, false, "S3D Card"},
                                              {"ATI 3D Card", 157, false, "ATI 3D Card"},
                                              {"Power VR", 159, false, "Power VR"},
                                              {"Power VR (Pod)", 159, false, "Power VR (Pod)"},
                                              {"3DFX", 155, false, "3DFX"},
                                              {"3DFX (Glide3X)", 206, false, "3DFX (Glide3X)"},
                                              {"Test Sound", 310, false, "Test Sound"},
                                              {"Test Maxi Sound 64", 310, false, "Test Maxi Sound 64"},
                                              {"I740 Card", 205, false, "I740 Card"},
                                              {"CD ROM Speed", 158, false, "CD ROM Speed"}});
  ExpectCatalogue(catalogue.SoftwareTests(), {{"Video For Windows", 160, false, "Video For Windows"},
                                              {"Microsoft Direct Draw", 162, false, "Microsoft Direct Draw"},
                                              {"Microsoft Direct X", 163, false, "Microsoft Direct X"},
                                              {"VFW Indeo", 161, false, "VFW Indeo"},
                                              {"DXMedia", 165, false, "DXMedia"},
                                              {"AMovie", 166, false, "AMovie"},
                                              {"Indeo5", 167, false, "Indeo5"}});
  ExpectCatalogue(catalogue.SystemTests(), {{"W95", 450, false, "W95"},
                                            {"W98", 451, false, "W98"},
                                            {"WNT4.0", 452, false, "WNT40"},
                                            {"W2000", 455, false, "W2000"},
                                            {"Windows System", 453, false, "W"},
                                            {"Windows NT System", 454, false, "WNT"},
                                            {"Administrator right", 456, false, "AdminRight"}});
  EXPECT_EQ(catalogue.DriveTest().name, "Drive");
  EXPECT_EQ(catalogue.DriveTest().value_base_key, "Drive");
  EXPECT_TRUE(catalogue.DriveTest().raw);
}

TEST(DetectionCatalogue, FindTestSearchesExactNamesAcrossCatalogues) {
  DetectionCatalogue catalogue;
  EXPECT_EQ(FindTest(catalogue, "Memory"), &catalogue.HardwareTests()[4]);
  EXPECT_EQ(FindTest(catalogue, "Indeo5"), &catalogue.SoftwareTests()[6]);
  EXPECT_EQ(FindTest(catalogue, "WNT4.0"), &catalogue.SystemTests()[2]);
  EXPECT_EQ(FindTest(catalogue, "memory"), nullptr);
  EXPECT_EQ(FindTest(catalogue, "Drive"), nullptr) << "the drive test is never named by a script";
  EXPECT_EQ(FindTest(catalogue, "WNT40"), nullptr) << "keys are not names";
  EXPECT_NE(FindTest(catalogue, "Power VR"), FindTest(catalogue, "Power VR (Pod)"));
}

Requirement Make(DetectionTest& test, Comparison compare, std::int32_t value, bool rebase) {
  Requirement requirement;
  requirement.test = &test;
  requirement.compare = compare;
  requirement.value = value;
  requirement.rebase = rebase;
  return requirement;
}

TEST(Evaluate, ComparesTheLastResultAndRebasesOnce) {
  DetectionCatalogue catalogue;
  DetectionTest& w95 = *FindTest(catalogue, "W95");
  DetectionTest& memory = *FindTest(catalogue, "Memory");
  w95.value_base = 1100;
  const struct {
    const char* label;
    DetectionTest* test;
    std::int32_t result;
    Comparison compare;
    std::int32_t value;
    bool rebase;
    bool holds;
  } cases[] = {
      {"not W95, on Windows 98", &w95, 1100 - 1, Comparison::Equal, -1, true, true},
      {"not W95, on Windows 95", &w95, 1100 + 0, Comparison::Equal, -1, true, false},
      {"W95 alone on service A", &w95, 1100 + 1, Comparison::AtLeast, 0, true, true},
      {"W95 alone elsewhere", &w95, 1100 - 1, Comparison::AtLeast, 0, true, false},
      {"memory at least 32 with 32", &memory, 32, Comparison::AtLeast, 32, false, true},
      {"memory at least 32 with 31", &memory, 31, Comparison::AtLeast, 32, false, false},
      {"at most", &memory, 16, Comparison::AtMost, 16, false, true},
      {"not equal", &memory, 16, Comparison::NotEqual, 16, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    c.test->result = c.result;
    Requirement requirement = Make(*c.test, c.compare, c.value, c.rebase);
    EXPECT_EQ(Evaluate(requirement), c.holds);
    EXPECT_FALSE(requirement.rebase);
    EXPECT_EQ(Evaluate(requirement), c.holds) << "evaluating again gives the same answer";
  }
  Requirement unbound;
  EXPECT_FALSE(Evaluate(unbound));
}

TEST(Evaluate, RebasingWrapsInsteadOfOverflowing) {
  DetectionCatalogue catalogue;
  DetectionTest& test = catalogue.SystemTests()[0];
  test.value_base = std::numeric_limits<std::int32_t>::max();
  test.result = std::numeric_limits<std::int32_t>::min();
  Requirement requirement = Make(test, Comparison::Equal, 1, true);
  EXPECT_TRUE(Evaluate(requirement));
}

TEST(SetLocalizedNames, FillsDisplayNamesAndValueBases) {
  DetectionCatalogue catalogue;
  StringTable strings;
  std::string text;
  for (const auto* tests : {&catalogue.HardwareTests(), &catalogue.SoftwareTests(), &catalogue.SystemTests()})
    for (const DetectionTest& test : *tests)
      text += std::to_string(test.display_number) + ":" + test.name + "!\n";
  text += "[CPU]\n1000:386\n[WNT40]\n1120:NT\n[Drive]\n1170:Disk\n[W]\n";
  strings.AppendAll(*PlainReaderOfBytes(text));
  testing::RecordingUi ui;
  SetLocalizedNames(catalogue, strings, ui);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(FindTest(catalogue, "CPU")->display_name, "CPU!");
  EXPECT_EQ(FindTest(catalogue, "Power VR (Pod)")->display_name, "Power VR!") << "159 belongs to both";
  EXPECT_EQ(FindTest(catalogue, "CPU")->value_base, 1000);
  EXPECT_EQ(FindTest(catalogue, "WNT4.0")->value_base, 1120);
  EXPECT_EQ(FindTest(catalogue, "Windows System")->value_base, 0) << "a header with nothing after it";
  EXPECT_EQ(FindTest(catalogue, "3DFX")->value_base, 0);
  EXPECT_EQ(catalogue.DriveTest().value_base, 1170);
}

}  // namespace
}  // namespace tvx
