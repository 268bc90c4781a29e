#include "platform/win32/win32_surface.h"

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

// A device-independent bitmap header whose colour table is the indices
// 0 to 255 of the palette selected in the target (DIB_PAL_COLORS).
struct IndexHeader {
  BITMAPINFOHEADER header;
  WORD indices[256];
};

IndexHeader MakeIndexHeader(HDC target, const IndexedPixels& pixels) {
  IndexHeader info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = pixels.bytes_per_line;
  info.header.biHeight = pixels.height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biXPelsPerMeter = ::GetDeviceCaps(target, LOGPIXELSX) * 39;
  info.header.biYPelsPerMeter = ::GetDeviceCaps(target, LOGPIXELSY) * 39;
  for (int i = 0; i < 256; ++i) info.indices[i] = static_cast<WORD>(i);
  return info;
}

}  // namespace

Win32Bitmap::Win32Bitmap(BitmapHandle bitmap, MemoryDc dc) : bitmap_(std::move(bitmap)), dc_(std::move(dc)) {
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

std::unique_ptr<OffscreenBitmap> Win32Surface::CreateBitmap(Size size) {
  ScreenDc screen;
  BitmapHandle bitmap(::CreateCompatibleBitmap(screen.get(), size.width, size.height));
  MemoryDc dc(::CreateCompatibleDC(screen.get()));
  return std::make_unique<Win32Bitmap>(std::move(bitmap), std::move(dc));
}

void Win32Surface::DrawIndexed(OffscreenBitmap& target, const LogicalPalette& palette,
                               const IndexedPixels& pixels) {
  auto& bitmap = static_cast<Win32Bitmap&>(target);
  const auto& gdi_palette = static_cast<const Win32Palette&>(palette);
  if (!bitmap.dc() || pixels.height <= 0 || pixels.bytes_per_line <= 0) return;
  const std::size_t row = static_cast<std::size_t>(pixels.bytes_per_line);
  const std::size_t stride = (row + 3) / 4 * 4;
  if (pixels.pixels.size() < row * pixels.height) return;
  // GDI reads rows padded to four bytes: lay the rows out that way.
  std::vector<std::uint8_t> padded(stride * pixels.height, 0);
  for (int y = 0; y < pixels.height; ++y) std::memcpy(&padded[y * stride], &pixels.pixels[y * row], row);
  IndexHeader info = MakeIndexHeader(bitmap.dc(), pixels);
  ::UnrealizeObject(gdi_palette.get());
  SelectedPalette selected(bitmap.dc(), gdi_palette.get());
  ::SetDIBitsToDevice(bitmap.dc(), 0, 0, pixels.bytes_per_line, pixels.height, 0, 0, 0, pixels.height,
                      padded.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_PAL_COLORS);
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
