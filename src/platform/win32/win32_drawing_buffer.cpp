#include "platform/win32/win32_drawing_buffer.h"

namespace tvx::win32 {

DrawingBuffer::DrawingBuffer(HWND window, const Rect& area)
    : window_dc_(window),
      area_(area),
      memory_(window_dc_.get() ? ::CreateCompatibleDC(window_dc_.get()) : nullptr),
      bitmap_(window_dc_.get() && area.width() > 0 && area.height() > 0
                  ? ::CreateCompatibleBitmap(window_dc_.get(), area.width(), area.height())
                  : nullptr) {
  if (!memory_ || !bitmap_) return;
  old_bitmap_ = ::SelectObject(memory_.get(), bitmap_.get());
  // At 8 bits the same palette maps the colours as the window would.
  const auto palette = static_cast<HPALETTE>(::GetCurrentObject(window_dc_.get(), OBJ_PAL));
  if (palette) old_palette_ = ::SelectPalette(memory_.get(), palette, TRUE);
  ::SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
  ready_ = ::BitBlt(memory_.get(), area.left, area.top, area.width(), area.height(), window_dc_.get(),
                    area.left, area.top, SRCCOPY) != FALSE;
}

DrawingBuffer::~DrawingBuffer() {
  if (ready_)
    ::BitBlt(window_dc_.get(), area_.left, area_.top, area_.width(), area_.height(), memory_.get(),
             area_.left, area_.top, SRCCOPY);
  if (old_palette_) ::SelectPalette(memory_.get(), old_palette_, TRUE);
  if (old_bitmap_) ::SelectObject(memory_.get(), old_bitmap_);
}

}  // namespace tvx::win32
