// The progress bar's pixels: a sunken frame, a grey inside, the part done
// solid on a palette display and in slices brightening from black above.
// Runs on the simulated machine at several depths and under Wine on the
// display it has, with one table of expected colours.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "install/drawing_window.h"
#include "install/progress_bar.h"

namespace tvx::testing {
namespace {

const Rect kBar{35, 140, 235, 155};  // 198 pixels inside
constexpr ColourRef kBlue = 0xFF0000;
constexpr ColourRef kGreen = 0x00FF00;
constexpr ColourRef kGrey = 0xC0C0C0;

struct Pixel {
  const char* label;
  ColourRef bar;
  int percent;
  int x;
  int y;
  ColourRef shaded;  // above 8 bits
  ColourRef solid;   // 8 bits or fewer
};

// Points stay clear of the percent text drawn in the middle.
// The part done ends at 36 + 198 * p / 100; slice o ends where o % would.
const Pixel kPixels[] = {
    {"top edge", kBlue, 50, 100, 140, 0x000000, 0x000000},
    {"left edge", kBlue, 50, 35, 148, 0x000000, 0x000000},
    {"bottom edge", kBlue, 50, 100, 154, 0xFFFFFF, 0xFFFFFF},
    {"right edge", kBlue, 50, 234, 148, 0xFFFFFF, 0xFFFFFF},
    {"top right corner", kBlue, 50, 234, 140, 0xFFFFFF, 0xFFFFFF},
    {"bottom left corner", kBlue, 50, 35, 154, 0xFFFFFF, 0xFFFFFF},
    {"nothing done", kBlue, 0, 36, 148, kGrey, kGrey},
    {"nothing done, far end", kBlue, 0, 233, 141, kGrey, kGrey},
    {"30 %: first slice, 1 %", kBlue, 30, 36, 148, 0x020000, kBlue},
    {"30 %: slice 15", kBlue, 30, 64, 141, 0x260000, kBlue},
    {"30 %: last slice", kBlue, 30, 94, 153, 0x4C0000, kBlue},
    {"30 %: just past the end", kBlue, 30, 95, 148, kGrey, kGrey},
    {"30 %: far end", kBlue, 30, 220, 148, kGrey, kGrey},
    {"green 30 %: slice 15", kGreen, 30, 64, 148, 0x002600, kGreen},
    {"full: last slice", kBlue, 100, 233, 148, kBlue, kBlue},
    {"full: first slice", kBlue, 100, 36, 148, 0x020000, kBlue},
    {"past full is full", kBlue, 150, 233, 148, kBlue, kBlue},
    {"past full keeps the frame", kBlue, 150, 234, 148, 0xFFFFFF, 0xFFFFFF},
    {"below nothing is nothing", kGreen, -20, 36, 148, kGrey, kGrey},
};

// A real display of 15 or 16 bits keeps 5 or 6 bits of each channel.
bool SameColour(ColourRef shown, ColourRef expected, int colour_bits) {
  const int slack = colour_bits == 15 || colour_bits == 16 ? 8 : 0;
  const auto near = [slack](int a, int b) { return std::abs(a - b) <= slack; };
  return near(RedOf(shown), RedOf(expected)) && near(GreenOf(shown), GreenOf(expected)) &&
         near(BlueOf(shown), BlueOf(expected)) && (shown >> 24) == (expected >> 24);
}

void ExpectPixels(DialogView& view) {
  const int bits = view.ColourBits();
  const bool shaded = ShadesBars(bits);
  for (const Pixel& pixel : kPixels) {
    SCOPED_TRACE(std::string(pixel.label) + " at " + std::to_string(pixel.percent) + " %");
    DrawProgressBar(view, kBar, pixel.percent, pixel.bar, 1002);
    const ColourRef shown = view.PixelAt(pixel.x, pixel.y);
    const ColourRef expected = shaded ? pixel.shaded : pixel.solid;
    EXPECT_TRUE(SameColour(shown, expected, bits))
        << std::hex << shown << " instead of " << expected << " at (" << std::dec << pixel.x << ", "
        << pixel.y << ")";
  }
}

TEST(ProgressBarPixelsTest, TheBarShowsTheSameColoursOnEveryBackend) {
#ifdef _WIN32
  const int depths[] = {0};  // the display's own
#else
  const int depths[] = {4, 8, 12, 15, 16, 24, 32};
#endif
  for (const int depth : depths) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    const auto window = OpenDrawingWindow(depth);
#ifdef _WIN32
    if (!window) GTEST_SKIP() << "no display here: the window could not be made";
#endif
    ASSERT_NE(window, nullptr);
    std::printf("[ DISPLAY  ] %d bits per pixel\n", window->view().ColourBits());
    ExpectPixels(window->view());
  }
}

}  // namespace
}  // namespace tvx::testing
