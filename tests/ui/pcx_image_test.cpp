// Decoding PCX pictures: run codes, row order, the palette, damaged files,
// and pictures written by ImageMagick.
#include "ui/pcx_image.h"

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/test_machine.h"
#include "ui/ui_test_support.h"

namespace tvx {
namespace {

using testing::PcxBytes;
using testing::PcxFile;

std::optional<PcxImage> Decoded(const std::string& bytes) {
  PcxImage image;
  if (!DecodePcx(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), image))
    return std::nullopt;
  return image;
}

TEST(PcxImageTest, RowsAndRunCodesDecodeAsTheFileSays) {
  // The header fields and data, not a whole PcxFile: GCC 12 at -O2 takes an
  // array of rows holding 768-byte palettes for uninitialized vectors.
  struct Row {
    const char* label;
    int xmax, ymax, bytes_per_line;
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> pixels;  // bottom row first
  };
  const Row rows[] = {
      {"the first decoded row is the picture's top, kept last", 1, 1, 2, {1, 2, 3, 4}, {3, 4, 1, 2}},
      {"a run stores its value count times", 3, 0, 4, {0xC3, 7, 9}, {7, 7, 7, 9}},
      {"a count of 0 consumes both bytes and stores nothing", 1, 0, 2, {0xC0, 0x55, 5, 6}, {5, 6}},
      {"values of 0xC0 and more come through a run of 1", 1, 0, 2, {0xC1, 0xC0, 0xC1, 0xFF}, {0xC0, 0xFF}},
      {"the input runs on from row to row", 0, 1, 1, {0xC1, 8, 9}, {9, 8}},
      {"a run past the row's end is cut there, not carried", 1, 1, 2, {0xC3, 5, 6, 7}, {6, 7, 5, 5}},
      {"bytes per line wider than the picture", 0, 0, 2, {3, 4}, {3, 4}},
      {"Ymax of -1 decodes no row", 4, -1, 5, {}, {}},
      {"a negative bytes per line decodes no row", 4, 1, -2, {}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const PcxFile file{row.xmax, row.ymax, row.bytes_per_line, row.data, testing::RampPalette()};
    const auto image = Decoded(PcxBytes(file));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, row.pixels);
    const bool has_pixels = !row.pixels.empty();
    EXPECT_EQ(image->width, has_pixels ? row.xmax + 1 : 0);
    EXPECT_EQ(image->height, has_pixels ? row.ymax + 1 : 0);
    EXPECT_EQ(image->palette, file.palette);
  }
}

// Pins a fault: a header claiming 32767 x 32767 with one byte per line
// decoded from a small file, and the bitmaps made from it took a gigabyte.
TEST(PcxImageTest, APictureIsNoWiderThanTheBytesItsRowsHold) {
  struct Row {
    const char* label;
    int xmax, ymax, bytes_per_line;
    int width, height;
  };
  const Row rows[] = {
      {"32767 x 32767 with one byte per line", 32766, 32766, 1, 1, 32767},
      {"Xmax 32767 wraps to a negative width", 32767, 3, 4, 0, 4},
      {"a width within the rows stays", 2, 1, 4, 3, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<std::vector<std::uint8_t>> lines(row.ymax + 1,
                                                 std::vector<std::uint8_t>(row.bytes_per_line, 7));
    const auto image = Decoded(PcxBytes({row.xmax, row.ymax, row.bytes_per_line, testing::Rows(lines)}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, row.width);
    EXPECT_EQ(image->height, row.height);
    EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(row.bytes_per_line) * row.height);
  }
}

TEST(PcxImageTest, ThePaletteIsTheLastBytesWithOrWithoutAMarker) {
  PcxFile file{0, 0, 1, {42}, testing::RampPalette(), false};
  const auto image = Decoded(PcxBytes(file));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->palette, file.palette);
  EXPECT_EQ(image->pixels, std::vector<std::uint8_t>{42});
}

TEST(PcxImageTest, ShortOrCutFilesFailAndLeaveTheImageAlone) {
  struct Row {
    const char* label;
    std::string bytes;
  };
  const Row rows[] = {
      {"empty", ""},
      {"shorter than a header and a palette", std::string(895, '\0')},
      {"rows missing", PcxBytes({3, 3, 4, {1, 2, 3, 4}, {}, false})},
      {"a run code without its value", PcxBytes({3, 0, 4, {1, 0xC2}, {}, false})},
      {"a huge picture from a few bytes", PcxBytes({32766, 32766, 32767, {0xFF, 1}, {}, false})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    PcxImage image;
    image.width = 77;
    EXPECT_FALSE(DecodePcx(
        std::span(reinterpret_cast<const std::uint8_t*>(row.bytes.data()), row.bytes.size()), image));
    EXPECT_EQ(image.width, 77);
  }
}

TEST(PcxImageTest, AFileThatCannotBeReadIsReportedWithItsPath) {
  testing::TestMachine machine;
  machine.WriteFile("C:\\InstData\\short.pcx", "not a picture");
  for (const char* path : {"C:\\InstData\\missing.pcx", "C:\\InstData\\short.pcx"}) {
    SCOPED_TRACE(path);
    PcxImage image;
    EXPECT_FALSE(LoadPcx(machine.platform().files, machine.platform().ui, path, image));
  }
  EXPECT_EQ(
      machine.Transcript(),
      "message-box caption=\"SetupTvx\" text=\"Can't open C:\\\\InstData\\\\missing.pcx !!\" "
      "style=0x00000000 "
      "owner=main answer=IDOK from=default\n"
      "message-box caption=\"SetupTvx\" text=\"Can't open C:\\\\InstData\\\\short.pcx !!\" style=0x00000000 "
      "owner=main answer=IDOK from=default\n");
}

// Each pixel's colour through the decoded palette is the colour ImageMagick
// reads back from the same file.
TEST(PcxImageTest, PicturesWrittenByImageMagickDecodeAsImageMagickReadsThem) {
  for (const char* name : {"swirl", "odd_width", "long_runs"}) {
    SCOPED_TRACE(name);
    const auto image = Decoded(testing::ReadFixture(std::string("pcx/") + name + ".pcx"));
    const std::string rgb = testing::ReadFixture(std::string("pcx/") + name + ".rgb");
    ASSERT_TRUE(image);
    ASSERT_EQ(rgb.size(), static_cast<std::size_t>(image->width) * image->height * 3);
    int mismatches = 0;
    for (int y = 0; y < image->height; ++y) {
      for (int x = 0; x < image->width; ++x) {
        const std::uint8_t index =
            image->pixels[static_cast<std::size_t>(image->height - 1 - y) * image->bytes_per_line + x];
        const std::size_t at = (static_cast<std::size_t>(y) * image->width + x) * 3;
        for (int channel = 0; channel < 3; ++channel)
          mismatches += image->palette[index * 3 + channel] != static_cast<std::uint8_t>(rgb[at + channel]);
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(PcxImageTest, ImageMagickWritesOddBytesPerLineForOddWidths) {
  const auto image = Decoded(testing::ReadFixture("pcx/odd_width.pcx"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 33);
  EXPECT_EQ(image->bytes_per_line, 33);
}

}  // namespace
}  // namespace tvx
