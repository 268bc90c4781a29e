// The progress line: nothing during the first second, then one line
// rewritten in place when what it says changes, cleared at the end.
#include "platform/host/terminal_progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tvx::host {
namespace {

TEST(TerminalProgressTest, ShowsOnlyAfterASecondAndOnlyChanges) {
  struct Step {
    double at;  // seconds
    const char* item;
    int percent;
  };
  struct Row {
    const char* name;
    std::vector<Step> steps;
    bool finish;
    const char* output;
  };
  const Row rows[] = {
      {"work shorter than a second", {{0, "a", 0}, {0.5, "b", 50}, {0.99, "c", 100}}, true, ""},
      {"shown after a second", {{0, "a", 0}, {1.0, "b", 40}}, false, "\r40% b"},
      {"the same line is not written again", {{0, "a", 0}, {1.5, "b", 40}, {1.6, "b", 40}}, false, "\r40% b"},
      {"a shorter line covers the longer one",
       {{0, "a", 0}, {2, "long.dat", 10}, {3, "x", 20}},
       false,
       "\r10% long.dat\r20% x       "},
      {"cleared at the end", {{0, "a", 0}, {2, "b", 5}}, true, "\r5% b\r    \r"},
      {"percent held to 0..100", {{0, "a", 0}, {2, "b", 140}}, false, "\r100% b"},
      {"the item's start is cut to fit",
       {{0, "a", 0}, {2, "C:\\Games\\Zephra\\Data\\Speech.dat", 7}},
       false,
       "\r7% ...ata\\Speech.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::ostringstream out;
    double now = 0;
    TerminalProgress progress(
        out, [&now] { return now; }, 1.0, 20);
    for (const Step& step : row.steps) {
      now = step.at;
      progress.Update(step.item, step.percent);
    }
    if (row.finish) progress.Finish();
    EXPECT_EQ(out.str(), row.output);
  }
}

// A second piece of work waits its own second before it shows.
TEST(TerminalProgressTest, EachPieceOfWorkWaitsItsOwnSecond) {
  std::ostringstream out;
  double now = 0;
  TerminalProgress progress(out, [&now] { return now; });
  progress.Update("a", 0);
  now = 5;
  progress.Update("a", 50);
  progress.Finish();
  out.str("");
  progress.Update("b", 0);
  now = 5.5;
  progress.Update("b", 60);
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace tvx::host
