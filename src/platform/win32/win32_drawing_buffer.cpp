#include "platform/win32/win32_drawing_buffer.h"

#include <algorithm>

namespace tvx::win32 {

HDC DrawingCanvas::Prepare(HDC window_dc, Size size) {
  if (!window_dc || size.width <= 0 || size.height <= 0) return nullptr;
  if (memory_ && size.width <= size_.width && size.height <= size_.height) return memory_.get();
  const Size wanted{std::max(size.width, size_.width), std::max(size.height, size_.height)};
  Reset();
  memory_ = MemoryDc(::CreateCompatibleDC(window_dc));
  bitmap_ = BitmapHandle(::CreateCompatibleBitmap(window_dc, wanted.width, wanted.height));
  if (!memory_ || !bitmap_) {
    Reset();
    return nullptr;
  }
  old_bitmap_ = ::SelectObject(memory_.get(), bitmap_.get());
  size_ = wanted;
  return memory_.get();
}

void DrawingCanvas::Reset() {
  if (memory_ && old_bitmap_) ::SelectObject(memory_.get(), old_bitmap_);
  old_bitmap_ = nullptr;
  memory_.Reset();
  bitmap_.Reset();
  size_ = {};
}

DrawingBuffer::DrawingBuffer(HWND window, const Rect& area, DrawingCanvas& canvas)
    : window_dc_(window),
      area_(area),
      memory_(canvas.Prepare(window_dc_.get(), {area.width(), area.height()})) {
  if (!memory_) return;
  // At 8 bits the same palette maps the colours as the window would.
  const auto palette = static_cast<HPALETTE>(::GetCurrentObject(window_dc_.get(), OBJ_PAL));
  if (palette) old_palette_ = ::SelectPalette(memory_, palette, TRUE);
  ::SetViewportOrgEx(memory_, -area.left, -area.top, nullptr);
  ready_ = ::BitBlt(memory_, area.left, area.top, area.width(), area.height(), window_dc_.get(), area.left,
                    area.top, SRCCOPY) != FALSE;
}

DrawingBuffer::~DrawingBuffer() {
  if (ready_)
    ::BitBlt(window_dc_.get(), area_.left, area_.top, area_.width(), area_.height(), memory_, area_.left,
             area_.top, SRCCOPY);
  if (old_palette_) ::SelectPalette(memory_, old_palette_, TRUE);
}

}  // namespace tvx::win32
