// Drawing straight onto a dialog's client area: fills, one-line texts and
// pixels read back, at any time, not only while the window paints.
#include <string>

#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_gdi_handles.h"

namespace tvx::win32 {
namespace {

// The paint device context when there is one, else the window's own.
class DrawingDc {
 public:
  DrawingDc(HWND window, HDC paint_dc) : window_(window), own_(paint_dc ? nullptr : ::GetDC(window)) {
    dc_ = paint_dc ? paint_dc : own_;
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
  DrawingDc dc(window_, paint_dc_);
  return ::GetDeviceCaps(dc.get(), BITSPIXEL) * ::GetDeviceCaps(dc.get(), PLANES);
}

Rect Win32DialogHost::OwnerRect() {
  const HWND owner = ::GetWindow(window_, GW_OWNER);
  if (!owner) return RectAt(0, 0, ScreenSize().width, ScreenSize().height);
  RECT rect{};
  ::GetWindowRect(owner, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void Win32DialogHost::FillArea(const Rect& client, ColourRef colour) {
  DrawingDc dc(window_, paint_dc_);
  const BrushHandle brush(::CreateSolidBrush(colour));
  const RECT area{client.left, client.top, client.right, client.bottom};
  ::FillRect(dc.get(), &area, brush.get());
}

void Win32DialogHost::DrawLine(int font_id, const Rect& client, std::string_view text, ColourRef colour,
                               bool centred) {
  DrawingDc dc(window_, paint_dc_);
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

ColourRef Win32DialogHost::PixelAt(int x, int y) {
  DrawingDc dc(window_, paint_dc_);
  return ::GetPixel(dc.get(), x, y);
}

}  // namespace tvx::win32
