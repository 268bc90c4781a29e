// A part of a window drawn off screen and shown in one copy: a picture of
// many fills costs the display one transfer, not one per fill.
#pragma once

#include <windows.h>

#include "platform/graphics_types.h"
#include "platform/win32/win32_gdi_handles.h"

namespace tvx::win32 {

// The memory device context and bitmap a window draws off screen into, kept
// between drawings: under Wine making them costs more than a bar's redraw.
class DrawingCanvas {
 public:
  DrawingCanvas() = default;
  ~DrawingCanvas() { Reset(); }
  DrawingCanvas(const DrawingCanvas&) = delete;
  DrawingCanvas& operator=(const DrawingCanvas&) = delete;

  // A memory device context compatible with the window's, holding a bitmap
  // of at least that size; null when one cannot be made.
  HDC Prepare(HDC window_dc, Size size);
  // Gives the bitmap back, as when the display's format changed.
  void Reset();

 private:
  MemoryDc memory_;
  BitmapHandle bitmap_;
  HGDIOBJ old_bitmap_ = nullptr;
  Size size_{};
};

class DrawingBuffer {
 public:
  // Starts with what the window shows in the area; dc() takes the window's
  // client coordinates and clips to the area.
  DrawingBuffer(HWND window, const Rect& area, DrawingCanvas& canvas);
  // Shows what was drawn.
  ~DrawingBuffer();
  DrawingBuffer(const DrawingBuffer&) = delete;
  DrawingBuffer& operator=(const DrawingBuffer&) = delete;

  // Null when the buffer could not be made: draw on the window then.
  HDC dc() const { return ready_ ? memory_ : nullptr; }

 private:
  WindowDc window_dc_;
  Rect area_;
  HDC memory_ = nullptr;
  HPALETTE old_palette_ = nullptr;
  bool ready_ = false;
};

}  // namespace tvx::win32
