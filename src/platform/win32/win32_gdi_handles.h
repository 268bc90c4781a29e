// Owners for GDI objects and device contexts, and selections undone when
// they go out of scope.
#pragma once

#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace tvx::win32 {

template <typename Object>
struct GdiObjectTraits {
  static Object Invalid() { return nullptr; }
  static void Close(Object object) { ::DeleteObject(object); }
};
struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC dc) { ::DeleteDC(dc); }
};

using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using PaletteHandle = UniqueHandle<HPALETTE, GdiObjectTraits<HPALETTE>>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

// A window's device context (GetDC), released when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Painting of a window (BeginPaint), ended when it goes. Its device context
// is clipped to the update region.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintDc() { ::EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context until the end of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (old_) ::SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A palette selected (never forced to the background) and realized until
// the end of the scope.
class SelectedPalette {
 public:
  SelectedPalette(HDC dc, HPALETTE palette)
      : dc_(dc), old_(palette ? ::SelectPalette(dc, palette, FALSE) : nullptr) {
    if (palette) ::RealizePalette(dc);
  }
  ~SelectedPalette() {
    if (old_) ::SelectPalette(dc_, old_, FALSE);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};

}  // namespace tvx::win32
