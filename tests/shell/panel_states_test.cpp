// The panel's enabled buttons for installed / not installed × fits / not.
#include "shell/panel_states.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(PanelStatesTest, TheTableOfInstalledAndFitting) {
  struct Row {
    const char* name;
    PanelFacts before;
    PanelFacts after_question;  // what matching finds after the question
    bool asked;
    std::optional<ButtonStates> expected;
  };
  const ButtonStates all{true, true, true, true, false};
  const Row rows[] = {
      {"installed, fits", {true, true, true, false}, {}, false, all},
      {"installed, fits, configuration no longer usable",
       {true, false, true, false},
       {},
       false,
       ButtonStates{true, true, false, true, false}},
      {"installed, nothing fits",
       {true, true, false, false},
       {true, true, false, false},
       true,
       ButtonStates{false, true, true, true, false}},
      {"installed, nothing fits until the question",
       {true, true, false, false},
       {true, true, true, false},
       true,
       all},
      {"installed, unusable, nothing fits: ends",
       {true, false, false, false},
       {true, false, false, false},
       true,
       std::nullopt},
      {"not installed, fits",
       {false, false, true, false},
       {},
       false,
       ButtonStates{true, false, false, true, false}},
      {"not installed, fits, playable too",
       {false, false, true, true},
       {},
       false,
       ButtonStates{true, false, true, true, false}},
      {"not installed, nothing fits, playable",
       {false, false, false, true},
       {false, false, false, true},
       true,
       ButtonStates{false, false, true, true, false}},
      {"not installed, nothing fits, nothing playable: ends",
       {false, false, false, false},
       {},
       true,
       std::nullopt},
      {"not installed, fits after the question",
       {false, false, false, false},
       {false, false, true, false},
       true,
       ButtonStates{true, false, false, true, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bool asked = false;
    const auto states = DecideButtonStates([&] { return asked ? row.after_question : row.before; },
                                           [&] { asked = true; }, false);
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(states, row.expected);
  }
}

TEST(PanelStatesTest, TheWebButtonFollowsTheScript) {
  const auto states = DecideButtonStates([] { return PanelFacts{false, false, true, false}; }, [] {}, true);
  ASSERT_TRUE(states);
  EXPECT_TRUE(states->web);
  EXPECT_TRUE(states->quit);
}

}  // namespace
}  // namespace tvx
