// Drawing straight onto a dialog's client area: fills, one-line texts and
// pixels read back, at any time, not only while the window paints.
#include <string>
#include <utility>

#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_gdi_handles.h"

namespace tvx::win32 {
namespace {

// The paint device context or a batch's when there is one, else the
// window's own.
class DrawingDc {
 public:
  DrawingDc(HWND window, HDC held_dc) : window_(window), own_(held_dc ? nullptr : ::GetDC(window)) {
    dc_ = held_dc ? held_dc : own_;
  }
  ~DrawingDc() {
    if (own_) ::ReleaseDC(window_, own_);
  }
  DrawingDc(const DrawingDc&) = delete;
  DrawingDc& operator=(const DrawingDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC own_;
  HDC dc_ = nullptr;
};

using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;

}  // namespace

int Win32DialogHost::ColourBits() {
  if (colour_bits_ == 0) {
    DrawingDc dc(window_, DrawingTarget());
    colour_bits_ = ::GetDeviceCaps(dc.get(), BITSPIXEL) * ::GetDeviceCaps(dc.get(), PLANES);
  }
  return colour_bits_;
}

Rect Win32DialogHost::OwnerRect() {
  const HWND owner = ::GetWindow(window_, GW_OWNER);
  if (!owner) return RectAt(0, 0, ScreenSize().width, ScreenSize().height);
  RECT rect{};
  ::GetWindowRect(owner, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void Win32DialogHost::FillArea(const Rect& client, ColourRef colour) {
  DrawingDc dc(window_, DrawingTarget());
  const BrushHandle brush(::CreateSolidBrush(colour));
  const RECT area{client.left, client.top, client.right, client.bottom};
  ::FillRect(dc.get(), &area, brush.get());
}

void Win32DialogHost::DrawLine(int font_id, const Rect& client, std::string_view text, ColourRef colour,
                               bool centred) {
  DrawingDc dc(window_, DrawingTarget());
  const HWND source = font_id == 0 ? window_ : Item(font_id);
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(source, WM_GETFONT, 0, 0));
  SelectedObject selected(dc.get(), font);
  const int old_mode = ::SetBkMode(dc.get(), TRANSPARENT);
  const COLORREF old_colour = ::SetTextColor(dc.get(), colour);
  RECT area{client.left, client.top, client.right, client.bottom};
  const std::string line(text);
  ::DrawTextA(dc.get(), line.c_str(), static_cast<int>(line.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (centred ? DT_CENTER : DT_LEFT));
  ::SetTextColor(dc.get(), old_colour);
  ::SetBkMode(dc.get(), old_mode);
}

void Win32DialogHost::BeginDrawing(const Rect& area) {
  if (batch_depth_++ == 0 && !paint_dc_) batch_ = std::make_unique<DrawingBuffer>(window_, area, canvas_);
}

void Win32DialogHost::EndDrawing() {
  if (batch_depth_ > 0 && --batch_depth_ == 0) batch_.reset();
}

HDC Win32DialogHost::DrawingTarget() const {
  if (paint_dc_) return paint_dc_;
  return batch_ ? batch_->dc() : nullptr;
}

ColourRef Win32DialogHost::PixelAt(int x, int y) {
  DrawingDc dc(window_, DrawingTarget());
  return ::GetPixel(dc.get(), x, y);
}

}  // namespace tvx::win32
