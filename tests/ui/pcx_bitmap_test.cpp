// Pictures drawn through the panel palette: the palette rules, create and
// reuse, the background and its reload, bitmap resources.
#include "ui/pcx_bitmap.h"

#include <gtest/gtest.h>

#include "platform/indexed_surface.h"
#include "support/test_machine.h"
#include "ui/panel_palette.h"
#include "ui/ui_test_support.h"

namespace tvx {
namespace {

using testing::PcxFile;

const IndexedBitmap& Pixels(const OffscreenBitmap* bitmap) {
  return dynamic_cast<const IndexedBitmap&>(*bitmap);
}

std::array<std::uint8_t, 768> FlatPalette(std::uint8_t red) {
  std::array<std::uint8_t, 768> palette{};
  for (int i = 0; i < 256; ++i) palette[i * 3] = red;
  return palette;
}

TEST(PanelPaletteTest, TheSystemKeepsItsTwentyColoursAndTheRestAreReserved) {
  PaletteEntries system{};
  for (int i = 0; i < 256; ++i) system[i] = {1, 2, static_cast<std::uint8_t>(i), 0x04};
  const PaletteEntries entries = PanelPaletteEntries(testing::RampPalette(), system);
  for (int i : {0, 9, 246, 255}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i], system[i]);
  }
  for (int i : {10, 128, 245}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i], (PaletteEntry{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                        static_cast<std::uint8_t>(i / 2), kPcReserved}));
  }
}

class PcxBitmapTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, PcxFile file) {
    machine_.WriteFile(PicturePath("C:\\InstData", name), testing::PcxBytes(file));
  }
  Platform& platform() { return machine_.platform(); }
  std::string Path(const std::string& name) { return PicturePath("C:\\InstData", name); }

  testing::TestMachine machine_;
};

TEST_F(PcxBitmapTest, AButtonPictureShowsInThePanelColoursNotItsOwn) {
  Write("back.pcx", {1, 0, 2, {10, 11}, testing::RampPalette()});
  Write("button.pcx", {2, 0, 4, {0xC1, 200, 3, 0xC1, 250, 7}, FlatPalette(99)});
  PanelBackground background;
  ASSERT_TRUE(background.Load(platform(), Path("back.pcx")));
  std::unique_ptr<OffscreenBitmap> button;
  ASSERT_TRUE(
      DrawPcxIntoBitmap(platform(), Path("button.pcx"), button, *background.palette(), DrawMode::Create));
  const IndexedBitmap& pixels = Pixels(button.get());
  EXPECT_EQ(pixels.size(), (Size{3, 1}));  // the padding column never shows
  EXPECT_EQ(pixels.ColourAt(0, 0), (PaletteEntry{200, 55, 100, kPcReserved}));
  EXPECT_EQ(pixels.ColourAt(1, 0), DefaultSystemPalette()[3]);
  EXPECT_EQ(pixels.ColourAt(2, 0), DefaultSystemPalette()[250]);
}

TEST_F(PcxBitmapTest, ReuseDrawsIntoTheFirstBitmapAndKeepsItsSize) {
  Write("small.pcx", {1, 1, 2, {20, 21, 22, 23}, testing::RampPalette()});
  Write("large.pcx", {2, 2, 3, {30, 31, 32, 33, 34, 35, 36, 37, 38}, testing::RampPalette()});
  PanelBackground background;
  ASSERT_TRUE(background.Load(platform(), Path("small.pcx")));
  const OffscreenBitmap* first = background.bitmap();
  ASSERT_TRUE(background.Reload(platform(), Path("large.pcx")));
  EXPECT_EQ(background.bitmap(), first);
  const IndexedBitmap& pixels = Pixels(background.bitmap());
  EXPECT_EQ(pixels.size(), (Size{2, 2}));
  // Only the top-left part of the larger picture fits.
  EXPECT_EQ(pixels.pixels(), (std::vector<std::uint8_t>{30, 31, 33, 34}));
}

TEST_F(PcxBitmapTest, AReloadTakesTheNewFilesPaletteAndAFailedOneKeepsTheOld) {
  Write("a.pcx", {0, 0, 1, {50}, FlatPalette(10)});
  Write("b.pcx", {0, 0, 1, {50}, FlatPalette(20)});
  PanelBackground background;
  ASSERT_TRUE(background.Load(platform(), Path("a.pcx")));
  ASSERT_TRUE(background.Reload(platform(), Path("b.pcx")));
  EXPECT_EQ(background.palette()->entries()[50].red, 20);
  EXPECT_FALSE(background.Reload(platform(), Path("gone.pcx")));
  EXPECT_EQ(background.palette()->entries()[50].red, 20);
  EXPECT_EQ(Pixels(background.bitmap()).ColourAt(0, 0).red, 20);
}

TEST_F(PcxBitmapTest, AMissingPictureCreatesNothing) {
  std::unique_ptr<OffscreenBitmap> slot;
  IndexedPalette palette(DefaultSystemPalette());
  EXPECT_FALSE(DrawPcxIntoBitmap(platform(), Path("none.pcx"), slot, palette, DrawMode::Create));
  EXPECT_EQ(slot, nullptr);
  EXPECT_NE(machine_.Transcript().find("Can't open C:\\\\InstData\\\\none.pcx !!"), std::string::npos);
}

TEST_F(PcxBitmapTest, TheSplashBitmapResourceComesWithTheColoursOfItsTable) {
  const BitmapResource splash = platform().ui.surface().LoadBitmapResource(139);
  ASSERT_TRUE(splash.bitmap);
  ASSERT_TRUE(splash.palette);
  EXPECT_EQ(splash.bitmap->size(), (Size{637, 245}));
  EXPECT_EQ(splash.palette->entries()[255], (PaletteEntry{255, 255, 255, 0}));
  const BitmapResource none = platform().ui.surface().LoadBitmapResource(4242);
  EXPECT_FALSE(none.bitmap);
  EXPECT_FALSE(none.palette);
}

}  // namespace
}  // namespace tvx
