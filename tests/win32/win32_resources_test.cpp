// The program's resources and the GDI surface on the real API: version
// text and marker, bitmap resources, pictures drawn through a palette.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/win32/win32_surface.h"
#include "tvx_version.h"

namespace tvx::win32 {
namespace {

std::string OwnBytes() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(Win32ResourcesTest, TheVersionIsStringOneAndFollowsTheMarker) {
  char text[256] = {};
  ASSERT_GT(::LoadStringA(::GetModuleHandleA(nullptr), 1, text, sizeof text), 0);
  EXPECT_STREQ(text, TVX_VERSION_TEXT);
  const std::string bytes = OwnBytes();
  const std::string marker = "\xA3TVX-VERS:";
  ASSERT_EQ(marker.size(), 10u);
  const std::size_t at = bytes.find(marker);
  ASSERT_NE(at, std::string::npos);
  EXPECT_STREQ(bytes.c_str() + at + marker.size(), TVX_VERSION_TEXT);
}

TEST(Win32ResourcesTest, BitmapResourcesComeWithTheirSizesAndPalettes) {
  Win32Surface surface;
  const BitmapResource splash = surface.LoadBitmapResource(139);
  ASSERT_TRUE(splash.bitmap);
  ASSERT_TRUE(splash.palette);
  EXPECT_EQ(splash.bitmap->size(), (Size{637, 245}));
  EXPECT_EQ(splash.palette->entries()[255], (PaletteEntry{255, 255, 255, 0}));
  const BitmapResource information = surface.LoadBitmapResource(154);
  ASSERT_TRUE(information.bitmap);
  EXPECT_EQ(information.bitmap->size(), (Size{306, 106}));
  for (int id = 149; id <= 153; ++id) {
    SCOPED_TRACE(id);
    const BitmapResource tree = surface.LoadBitmapResource(id);
    ASSERT_TRUE(tree.bitmap);
    EXPECT_EQ(tree.bitmap->size(), (Size{16, 16}));
  }
  EXPECT_FALSE(surface.LoadBitmapResource(4242).bitmap);
  EXPECT_NE(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128)), nullptr);
}

// Rows of 5 bytes are not a multiple of 4: they reach GDI padded, and each
// index shows the colour of its palette entry.
TEST(Win32ResourcesTest, IndicesShowTheColoursOfThePaletteEntries) {
  Win32Surface surface;
  PaletteEntries entries = surface.SystemPaletteEntries();
  entries[100] = {200, 16, 32, kPcReserved};
  entries[101] = {16, 200, 48, kPcReserved};
  const auto palette = surface.CreatePalette(entries);
  const auto bitmap = surface.CreateBitmap({3, 2});
  const std::vector<std::uint8_t> pixels{101, 100, 0, 0xEE, 0xEE, 100, 101, 255, 0xEE, 0xEE};
  surface.DrawIndexed(*bitmap, *palette, {3, 2, 5, pixels});
  const HDC dc = static_cast<Win32Bitmap&>(*bitmap).dc();
  EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(200, 16, 32));  // the top row is the buffer's last
  EXPECT_EQ(::GetPixel(dc, 1, 0), RGB(16, 200, 48));
  EXPECT_EQ(::GetPixel(dc, 0, 1), RGB(16, 200, 48));
  EXPECT_EQ(::GetPixel(dc, 2, 0), RGB(entries[255].red, entries[255].green, entries[255].blue));
}

}  // namespace
}  // namespace tvx::win32
