// The progress box laid out for the paths it will show, on the simulated
// machine's recording view of dialog 103.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "install/copy_rig.h"
#include "install/progress_box.h"

namespace tvx::testing {
namespace {

// The simulated machine measures a text as its length in base units (6 pixels here).
TEST(ProgressBoxTest, TheBoxIsAsWideAsTheLongestPathAndCentred) {
  CopyRig rig;
  const std::string long_name = std::string(40, 'L') + ".DAT";
  rig.Put("D:\\" + long_name, "x");
  rig.Put("D:\\A", "x");
  EXPECT_EQ(rig.Run(ListOf({FileItem("A", ""), FileItem(long_name, "")})).code, CopyOutcome::kDone);
  host::RecordingDialogView& box = rig.box();
  const int widest = box.MeasureText(ProgressBox::kAbortButton, "C:\\Games\\Zephra\\" + long_name).width;
  ASSERT_GT(widest, box.MeasureText(ProgressBox::kAbortButton, "D:\\" + long_name).width);
  const int w = widest + 50;
  const host::DialogState& state = box.state();
  struct Row {
    int id;
    Rect rect;
    const char* text;
  } rows[] = {
      {ProgressBox::kSourceGroup, RectAt(20, 10, w, 45), "text 101"},
      {ProgressBox::kDestinationGroup, RectAt(20, 65, w, 45), "text 102"},
      {ProgressBox::kFileGroup, RectAt(20, 120, w, 50), "text 103"},
      {ProgressBox::kInstallationGroup, RectAt(20, 180, w, 50), "text 104"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(state.control(row.id).rect, row.rect);
    EXPECT_EQ(state.control(row.id).text, row.text);
  }
  EXPECT_EQ(state.caption, "text 100");
  // 277 and the caption buttons' height (18 on the simulated machine), centred on its 800 x 600 screen.
  const Size size{w + 100, 18 + 277};
  EXPECT_EQ(state.window, RectAt((800 - size.width) / 2, (600 - size.height) / 2, size.width, size.height));
  const Rect abort = state.control(ProgressBox::kAbortButton).rect;
  EXPECT_EQ(abort.top, 240);
  EXPECT_EQ(abort.height(), 23);
  EXPECT_EQ(abort.left, (size.width - abort.width()) / 2);
  EXPECT_EQ(state.control(ProgressBox::kAbortButton).text, "text 105");
}

TEST(ProgressBoxTest, PathsArePaintedInBlackOnTheBoxColour) {
  CopyRig rig;
  rig.Put("D:\\A.DAT", "x");
  EXPECT_EQ(rig.Run(ListOf({FileItem("A.DAT", "", 1)})).code, CopyOutcome::kDone);
  host::RecordingDialogView& box = rig.box();
  const int right = box.state().control(ProgressBox::kFileGroup).rect.width() + 5;
  const auto& lines = box.lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].area, (Rect{45, 27, right, 43}));
  EXPECT_EQ(lines[1].area, (Rect{45, 82, right, 98}));
  EXPECT_EQ(lines[0].colour, 0u);
  EXPECT_FALSE(lines[0].centred);
  EXPECT_EQ(box.FillsOf({45, 27, right, 43}), 1);
  EXPECT_EQ(box.PixelAt(50, 30), host::RecordingDialogView::kFaceColour);
}

// Regression: every line drawn was kept, so a long copy's box grew by a
// line for every percent of every file.
TEST(ProgressBoxTest, ABoxRedrawnForManyFilesKeepsOnlyWhatItShows) {
  CopyRig rig;
  CopyItemList list;
  for (int i = 0; i < 30; ++i) {
    const std::string name = "F" + std::to_string(i) + ".DAT";
    rig.Put("D:\\" + name, std::string(3 * 25600, 'x'));
    list.Add(FileItem(name, "", 150));
  }
  EXPECT_EQ(rig.Run(list).code, CopyOutcome::kDone);
  const auto& lines = rig.box().lines();
  ASSERT_EQ(lines.size(), 4u);
  std::vector<std::string> shown;
  for (const auto& line : lines) shown.push_back(line.text);
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"100%", "100%", "C:\\Games\\Zephra\\F29.DAT", "D:\\F29.DAT"}));
}

TEST(ProgressBoxTest, TheBoxClosesWhenTheCopyEnds) {
  CopyRig rig;
  rig.Put("D:\\A.DAT", "x");
  EXPECT_EQ(rig.Run(ListOf({FileItem("A.DAT", "", 1)})).code, CopyOutcome::kDone);
  const std::string transcript = rig.machine().Transcript();
  EXPECT_NE(transcript.find("window id=103 opened caption=\"text 100\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("window id=103 closed"), std::string::npos) << transcript;
}

}  // namespace
}  // namespace tvx::testing
