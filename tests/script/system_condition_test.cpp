// OPERATING SYSTEMS lines.
#include "script/system_condition.h"

#include <gtest/gtest.h>

#include "script_test_support.h"

namespace tvx {
namespace {

TEST(SystemLine, FormsAndTheValuesTheyRecord) {
  DetectionCatalogue tests;
  const struct {
    const char* line;
    const char* test;
    Comparison compare;
    std::int32_t value;
    bool rebase;
  } cases[] = {
      {"Administrator right", "Administrator right", Comparison::Equal, 1, false},
      {"!Administrator right", "Administrator right", Comparison::Equal, -1, true},
      {"! W95 ", "W95", Comparison::Equal, -1, true},
      {"W95", "W95", Comparison::AtLeast, 0, true},
      {"\t Windows NT System  ", "Windows NT System", Comparison::AtLeast, 0, true},
      {"WNT4.0 > 1122", "WNT4.0", Comparison::AtLeast, 1122, false},
      {"WNT4.0 >= 1122", "WNT4.0", Comparison::AtLeast, 0, false},
      {"W98=1110", "W98", Comparison::Equal, 1110, false},
      {" W2000 != 1130", "W2000", Comparison::NotEqual, 1130, false},
      {"W2000 != x", "W2000", Comparison::NotEqual, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::RecordingUi ui;
    std::vector<Requirement> list;
    ASSERT_TRUE(ReadSystemLine(c.line, tests, list, ui));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].test, FindTestIn(tests.SystemTests(), c.test));
    EXPECT_EQ(list[0].compare, c.compare);
    EXPECT_EQ(list[0].value, c.value);
    EXPECT_EQ(list[0].rebase, c.rebase);
    EXPECT_TRUE(ui.boxes.empty());
  }
}

TEST(SystemLine, UnknownNamesAndOperatorsAreRefusedWithTheirMessages) {
  DetectionCatalogue tests;
  const struct {
    const char* line;
    std::vector<std::string> messages;
  } cases[] = {
      {"OS/2 = 3", {"Unknown Operating systems OS/2"}},
      {"!OS/2", {"Unknown Operating systems OS/2"}},
      {"  OS/2  ", {"Unknown Operator in OS/2", "Unknown Operating systems "}},
      {"W95 < 1101", {"Unknown Operator in W95 < 1101", "Unknown Operating systems "}},
      {"w95", {"Unknown Operator in w95", "Unknown Operating systems "}},
      {"CPU", {"Unknown Operator in CPU", "Unknown Operating systems "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::RecordingUi ui;
    std::vector<Requirement> list;
    EXPECT_FALSE(ReadSystemLine(c.line, tests, list, ui));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ui.Texts(), c.messages);
    for (const auto& box : ui.boxes) EXPECT_EQ(box.caption, "SetupTvx");
  }
}

}  // namespace
}  // namespace tvx
