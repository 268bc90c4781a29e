// The Surface on GDI: logical palettes, compatible bitmaps with their memory
// device contexts, pictures drawn with palette-relative colours.
#pragma once

#include <windows.h>

#include "platform/surface.h"
#include "platform/win32/win32_gdi_handles.h"

namespace tvx::win32 {

class Win32Palette : public LogicalPalette {
 public:
  Win32Palette(PaletteHandle handle, const PaletteEntries& entries)
      : handle_(std::move(handle)), entries_(entries) {}
  const PaletteEntries& entries() const override { return entries_; }
  HPALETTE get() const { return handle_.get(); }

 private:
  PaletteHandle handle_;
  PaletteEntries entries_;
};

// A bitmap selected into its own memory device context for its whole life.
class Win32Bitmap : public OffscreenBitmap {
 public:
  // bits: the pixels of an 8-bit DIB section, bottom row first; null for a
  // bitmap of the display's own format.
  Win32Bitmap(BitmapHandle bitmap, MemoryDc dc, std::uint8_t* bits = nullptr);
  ~Win32Bitmap() override;
  Size size() const override { return size_; }
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  std::uint8_t* bits() const { return bits_; }

 private:
  BitmapHandle bitmap_;
  MemoryDc dc_;
  std::uint8_t* bits_;
  HGDIOBJ old_ = nullptr;
  Size size_;
};

class Win32Surface : public Surface {
 public:
  PaletteEntries SystemPaletteEntries() override;
  std::unique_ptr<LogicalPalette> CreatePalette(const PaletteEntries& entries) override;
  std::unique_ptr<OffscreenBitmap> CreateBitmap(Size size) override;
  void DrawIndexed(OffscreenBitmap& target, const LogicalPalette& palette,
                   const IndexedPixels& pixels) override;
  BitmapResource LoadBitmapResource(int id) override;
};

}  // namespace tvx::win32
