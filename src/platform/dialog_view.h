// What a dialog model may do to its window: the backend's side of the
// model/view seam. Rectangles are in pixels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/button_control.h"
#include "platform/graphics_types.h"
#include "platform/surface.h"
#include "platform/tree_control.h"

namespace tvx {

enum class SystemMetric {
  MenuHeight,     // SM_CYMENUSIZE
  CaptionHeight,  // SM_CYCAPTION
  SizeHeight,     // SM_CYSIZE
};

// Controls a model may add at run time. Labels are one line of static
// text; a framed label is a table cell: the text inside a thin frame.
enum class ControlKind { CheckBox, PushButton, ReadOnlyTextBox, Label, FramedLabel };

class DialogView {
 public:
  virtual ~DialogView() = default;

  virtual void SetTitle(std::string_view text) = 0;
  virtual std::string Title() = 0;
  virtual void SetText(int id, std::string_view text) = 0;
  virtual std::string Text(int id) = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) = 0;
  virtual void Show(int id, bool visible) = 0;
  virtual bool IsVisible(int id) = 0;

  // The dialog's outer rectangle on the screen, and moving it there.
  virtual Rect WindowRect() = 0;
  virtual void MoveWindow(const Rect& screen) = 0;
  // A control's outer rectangle on the screen; it moves in client coordinates.
  virtual Rect ControlRect(int id) = 0;
  virtual void MoveControl(int id, const Rect& client) = 0;
  virtual Rect ScreenToClient(const Rect& screen) = 0;
  // Text extent in the font of a control; id 0 is the dialog's own font.
  virtual Size MeasureText(int id, std::string_view text) = 0;

  // List boxes and combo boxes alike; indices from 0, -1 for none.
  virtual int ListAdd(int id, std::string_view text, std::intptr_t data) = 0;
  virtual void ListClear(int id) = 0;
  virtual void ListDelete(int id, int index) = 0;
  virtual void ListSelect(int id, int index) = 0;
  virtual int ListSelection(int id) = 0;
  virtual int ListCount(int id) = 0;
  virtual std::intptr_t ListData(int id, int index) = 0;

  virtual void CreateControl(ControlKind kind, int id, std::string_view text, const Rect& client) = 0;
  virtual void DestroyControl(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool IsChecked(int id) = 0;

  // Takes over an owner-drawn child control; null when there is none.
  virtual ButtonControl* AttachButton(int id, ButtonEvents& events) = 0;
  // Takes over a tree-view control; null when there is none.
  virtual TreeControl* AttachTree(int id, TreeEvents& events) = 0;
  // Copies a bitmap to the window's client area through a palette (or none).
  virtual void PaintBitmap(const OffscreenBitmap& bitmap, const LogicalPalette* palette, int x, int y) = 0;

  // Asks for the client area to be painted again, without erasing it.
  virtual void Invalidate() = 0;
  virtual void End(int code) = 0;
  // A message box owned by this dialog; answers box::kId*.
  virtual int AskMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) = 0;

  // The screen's size (HORZRES, VERTRES of the screen device).
  virtual Size ScreenSize() = 0;
  virtual int Metric(SystemMetric metric) = 0;
  // Whether the Return key is down, or was pressed since the last query.
  virtual bool ReturnKeyDown() = 0;
  // The hourglass while a model works, and the pointer it replaced after.
  virtual void SetWaitCursor(bool waiting) = 0;

  // --- Drawing straight onto the client area, at any time: a window that
  // reports progress draws between chunks of work, outside painting. ---

  // The display's colour depth, bits per pixel.
  virtual int ColourBits() = 0;
  // The owner window's outer rectangle on the screen; the screen's without one.
  virtual Rect OwnerRect() = 0;
  virtual void FillArea(const Rect& client, ColourRef colour) = 0;
  // One line of text in a control's font (id 0: the dialog's), on a
  // transparent background, vertically centred in the area and either
  // centred or from its left edge; "&" shows as it is.
  virtual void DrawLine(int font_id, const Rect& client, std::string_view text, ColourRef colour,
                        bool centred) = 0;
  // The colour the client area shows at a point.
  virtual ColourRef PixelAt(int x, int y) = 0;
  // Drawing inside the area between these two calls (they nest) may be
  // gathered and shown at once at the end; drawing outside it is then
  // lost. A picture of many fills costs the display one.
  virtual void BeginDrawing(const Rect& area) { static_cast<void>(area); }
  virtual void EndDrawing() {}
};

// Draws a picture of many parts within an area as one.
class DrawingBatch {
 public:
  DrawingBatch(DialogView& view, const Rect& area) : view_(view) { view_.BeginDrawing(area); }
  ~DrawingBatch() { view_.EndDrawing(); }
  DrawingBatch(const DrawingBatch&) = delete;
  DrawingBatch& operator=(const DrawingBatch&) = delete;

 private:
  DialogView& view_;
};

}  // namespace tvx
