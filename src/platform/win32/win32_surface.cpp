#include "platform/win32/win32_surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tvx::win32 {
namespace {

PaletteHandle MakePalette(const PALETTEENTRY* entries, int count) {
  std::vector<char> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  std::memcpy(palette->palPalEntry, entries, sizeof(PALETTEENTRY) * count);
  return PaletteHandle(::CreatePalette(palette));
}

// An 8-bit bottom-up bitmap header with a grey colour table, replaced by
// the palette's colours when pictures are drawn into it.
struct IndexedBitmapInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

IndexedBitmapInfo MakeIndexedBitmapInfo(Size size) {
  IndexedBitmapInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = size.width;
  info.header.biHeight = size.height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<BYTE>(i);
    info.colours[i] = {level, level, level, 0};
  }
  return info;
}

int Stride(int width) { return (width + 3) / 4 * 4; }

}  // namespace

Win32Bitmap::Win32Bitmap(BitmapHandle bitmap, MemoryDc dc, std::uint8_t* bits)
    : bitmap_(std::move(bitmap)), dc_(std::move(dc)), bits_(bits) {
  BITMAP facts{};
  if (bitmap_ && ::GetObjectA(bitmap_.get(), sizeof facts, &facts)) size_ = {facts.bmWidth, facts.bmHeight};
  if (bitmap_ && dc_) old_ = ::SelectObject(dc_.get(), bitmap_.get());
}

Win32Bitmap::~Win32Bitmap() {
  // The bitmap leaves its device context before either is deleted.
  if (old_) ::SelectObject(dc_.get(), old_);
}

PaletteEntries Win32Surface::SystemPaletteEntries() {
  ScreenDc screen;
  PALETTEENTRY system[256] = {};
  // A display without a palette reports none; its reserved colours are
  // then the default palette's, not whatever the buffer held.
  if (::GetSystemPaletteEntries(screen.get(), 0, 256, system) < 256) return DefaultSystemPalette();
  PaletteEntries entries{};
  for (int i = 0; i < 256; ++i)
    entries[i] = {system[i].peRed, system[i].peGreen, system[i].peBlue, system[i].peFlags};
  return entries;
}

std::unique_ptr<LogicalPalette> Win32Surface::CreatePalette(const PaletteEntries& entries) {
  PALETTEENTRY table[256];
  for (int i = 0; i < 256; ++i)
    table[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
  return std::make_unique<Win32Palette>(MakePalette(table, 256), entries);
}

// Pictures live in 8-bit DIB sections whose colour table is the palette
// they were drawn through: they keep their colours on an 8-bit display
// whatever the system palette held when they were drawn, and a copy to the
// screen maps them through the palette realized there.
std::unique_ptr<OffscreenBitmap> Win32Surface::CreateBitmap(Size size) {
  ScreenDc screen;
  const IndexedBitmapInfo info = MakeIndexedBitmapInfo(size);
  void* bits = nullptr;
  BitmapHandle bitmap(::CreateDIBSection(screen.get(), reinterpret_cast<const BITMAPINFO*>(&info),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(::CreateCompatibleDC(screen.get()));
  return std::make_unique<Win32Bitmap>(std::move(bitmap), std::move(dc),
                                       bitmap ? static_cast<std::uint8_t*>(bits) : nullptr);
}

// Index n shows the colour of the palette's entry n; the picture's top-left
// corner goes to the bitmap's, and what falls outside is lost.
void Win32Surface::DrawIndexed(OffscreenBitmap& target, const LogicalPalette& palette,
                               const IndexedPixels& pixels) {
  auto& bitmap = static_cast<Win32Bitmap&>(target);
  const Size size = bitmap.size();
  const std::size_t row = static_cast<std::size_t>(pixels.bytes_per_line);
  if (!bitmap.bits() || !bitmap.dc() || pixels.height <= 0 || pixels.bytes_per_line <= 0) return;
  if (pixels.pixels.size() < row * pixels.height) return;
  RGBQUAD colours[256];
  for (int i = 0; i < 256; ++i) {
    const PaletteEntry& entry = palette.entries()[i];
    colours[i] = {entry.blue, entry.green, entry.red, 0};
  }
  ::GdiFlush();
  ::SetDIBColorTable(bitmap.dc(), 0, 256, colours);
  const int rows = std::min(size.height, pixels.height);
  const std::size_t columns = std::min<std::size_t>(static_cast<std::size_t>(size.width), row);
  for (int y = 0; y < rows; ++y) {
    // Both are bottom row first: the picture's row y from the top is its
    // buffer row height - 1 - y, and the bitmap's is size.height - 1 - y.
    const std::uint8_t* from = &pixels.pixels[static_cast<std::size_t>(pixels.height - 1 - y) * row];
    std::memcpy(bitmap.bits() + static_cast<std::size_t>(size.height - 1 - y) * Stride(size.width), from,
                columns);
  }
}

BitmapResource Win32Surface::LoadBitmapResource(int id) {
  BitmapResource result;
  HMODULE module = ::GetModuleHandleA(nullptr);
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = found ? ::SizeofResource(module, found) : 0;
  if (!bytes || size < sizeof(BITMAPINFOHEADER)) return result;
  std::vector<char> copy(static_cast<const char*>(bytes), static_cast<const char*>(bytes) + size);
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(copy.data());
  const int colours = header->biBitCount <= 8 ? 1 << header->biBitCount : 0;
  const std::size_t pixels_at = header->biSize + static_cast<std::size_t>(colours) * 4;
  if (header->biSize < sizeof(BITMAPINFOHEADER) || pixels_at > copy.size()) return result;
  PaletteEntries entries{};
  if (colours > 0) {
    const auto* table = reinterpret_cast<const RGBQUAD*>(copy.data() + header->biSize);
    PALETTEENTRY logical[256] = {};
    for (int i = 0; i < colours; ++i) {
      logical[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
      entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    result.palette = std::make_unique<Win32Palette>(MakePalette(logical, colours), entries);
  }
  ScreenDc screen;
  const HPALETTE palette = result.palette ? static_cast<Win32Palette&>(*result.palette).get() : nullptr;
  SelectedPalette selected(screen.get(), palette);
  BitmapHandle bitmap(::CreateDIBitmap(screen.get(), header, CBM_INIT, copy.data() + pixels_at,
                                       reinterpret_cast<const BITMAPINFO*>(copy.data()), DIB_RGB_COLORS));
  if (bitmap)
    result.bitmap =
        std::make_unique<Win32Bitmap>(std::move(bitmap), MemoryDc(::CreateCompatibleDC(screen.get())));
  return result;
}

}  // namespace tvx::win32
