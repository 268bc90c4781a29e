// tvxtool pcx2png: the picture as the panel shows it, read back from the PNG.
#include "pcx2png_command.h"

#include <gtest/gtest.h>
#include <png.h>

#include <span>
#include <vector>

#include "platform/graphics_types.h"
#include "support/fixtures.h"
#include "support/test_machine.h"
#include "ui/pcx_image.h"
#include "ui/ui_test_support.h"

namespace tvx {
namespace {

std::vector<std::uint8_t> ReadRgb(const std::string& path, Size& size) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  size = {static_cast<int>(image.width), static_cast<int>(image.height)};
  return rgb;
}

PcxImage Decoded(const std::string& name) {
  const std::string bytes = testing::ReadFixture("pcx/" + name);
  PcxImage image;
  EXPECT_TRUE(DecodePcx(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), image));
  return image;
}

TEST(Pcx2PngTest, EachPixelShowsThePanelPaletteColourOfItsIndex) {
  struct Row {
    const char* label;
    const char* palette_from;
  };
  const Row rows[] = {{"own palette", ""}, {"another picture's palette", "long_runs.pcx"}};
  testing::TemporaryFolder folder;
  const PcxImage picture = Decoded("swirl.pcx");
  const PaletteEntries system = DefaultSystemPalette();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::string from =
        *row.palette_from ? testing::FixturePath("pcx/" + std::string(row.palette_from)) : "";
    const auto& colours = *row.palette_from ? Decoded(row.palette_from).palette : picture.palette;
    const std::string png = (folder.path() / "out.png").string();
    std::string error;
    ASSERT_TRUE(authoring::RenderPcxToPng(testing::FixturePath("pcx/swirl.pcx"), png, from, error)) << error;
    Size size;
    const std::vector<std::uint8_t> rgb = ReadRgb(png, size);
    ASSERT_EQ(size, (Size{picture.width, picture.height}));
    int mismatches = 0;
    int reserved_pixels = 0;
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) {
        const int index =
            picture.pixels[static_cast<std::size_t>(picture.height - 1 - y) * picture.bytes_per_line + x];
        const bool reserved = index < 10 || index >= 246;
        reserved_pixels += reserved;
        const std::uint8_t expected[3] = {reserved ? system[index].red : colours[index * 3],
                                          reserved ? system[index].green : colours[index * 3 + 1],
                                          reserved ? system[index].blue : colours[index * 3 + 2]};
        const std::size_t at = (static_cast<std::size_t>(y) * size.width + x) * 3;
        for (int channel = 0; channel < 3; ++channel) mismatches += rgb[at + channel] != expected[channel];
      }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(reserved_pixels, 0);  // the fixture does use the system's entries
  }
}

TEST(Pcx2PngTest, WhatCannotBeReadIsSaid) {
  testing::TemporaryFolder folder;
  std::string error;
  const std::string png = (folder.path() / "x.png").string();
  EXPECT_FALSE(authoring::RenderPcxToPng((folder.path() / "none.pcx").string(), png, "", error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
  testing::WriteHostText(folder.path() / "short.pcx", "PCX");
  EXPECT_FALSE(authoring::RenderPcxToPng((folder.path() / "short.pcx").string(), png, "", error));
  EXPECT_NE(error.find("is not a PCX picture"), std::string::npos);
}

}  // namespace
}  // namespace tvx
