// Owner-drawn child controls taken over by a widget: what the control
// reports, and what the widget may do with it.
#pragma once

#include "platform/graphics_types.h"
#include "platform/surface.h"

namespace tvx {

inline constexpr int kReturnKey = 13;

// Input and paint requests of the control, delivered to the widget.
class ButtonEvents {
 public:
  virtual ~ButtonEvents() = default;
  // False for a widget that drops pointer, button, focus and key input.
  virtual bool TakesInput() const { return true; }
  // Pointer moves while the control holds the mouse or has it over it.
  virtual void OnPointerMove(bool inside, bool left_held) = 0;
  virtual void OnLeftDown(bool inside) = 0;
  virtual void OnLeftUp() = 0;
  virtual void OnFocus(bool gained) = 0;
  // Key pressed and key released alike (virtual-key code).
  virtual void OnKey(int key) = 0;
  // The system asks the owner-drawn control to paint itself.
  virtual void OnDraw() = 0;
};

class ButtonControl {
 public:
  virtual ~ButtonControl() = default;
  virtual void Show(bool visible) = 0;
  virtual void Enable(bool enabled) = 0;
  // Whether the control's window exists on screen.
  virtual bool Exists() = 0;
  // Position in the parent's client area; repaint asks the parent to redraw
  // what the move uncovers.
  virtual void Move(const Rect& parent_client, bool repaint) = 0;
  // Copies the bitmap to the control's client area through the palette.
  virtual void DrawBitmap(const OffscreenBitmap& bitmap, const LogicalPalette& palette) = 0;
  virtual void Capture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual void TakeFocus() = 0;
  // Posts the command to the parent with notification 0 and no control.
  virtual void PostCommand(int id) = 0;
};

}  // namespace tvx
