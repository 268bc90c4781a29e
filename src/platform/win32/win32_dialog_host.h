// The one dialog class of the real backend: any model runs on its
// resource template, with one dialog procedure forwarding the messages.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/dialog_model.h"
#include "platform/modeless_dialog.h"
#include "platform/win32/win32_drawing_buffer.h"
#include "platform/win32/win32_tree_control.h"

namespace tvx::win32 {

// An owner-drawn child control taken over by a widget: its window
// procedure is replaced so input reaches the widget first.
class Win32ButtonControl : public ButtonControl {
 public:
  Win32ButtonControl(HWND window, ButtonEvents& events);
  ~Win32ButtonControl() override;
  Win32ButtonControl(const Win32ButtonControl&) = delete;
  Win32ButtonControl& operator=(const Win32ButtonControl&) = delete;

  void Show(bool visible) override { ::ShowWindow(window_, visible ? SW_SHOW : SW_HIDE); }
  void Enable(bool enabled) override { ::EnableWindow(window_, enabled); }
  bool Exists() override { return ::IsWindow(window_) != FALSE; }
  void Move(const Rect& parent_client, bool repaint) override;
  void DrawBitmap(const OffscreenBitmap& bitmap, const LogicalPalette& palette) override;
  void Capture() override { ::SetCapture(window_); }
  void ReleaseCapture() override { ::ReleaseCapture(); }
  void TakeFocus() override { ::SetFocus(window_); }
  void PostCommand(int id) override;

  ButtonEvents& events() { return events_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_;
  ButtonEvents& events_;
  WNDPROC original_ = nullptr;
};

class Win32DialogHost : public DialogView, public ModelessDialog {
 public:
  explicit Win32DialogHost(DialogModel& model) : model_(model) {}
  ~Win32DialogHost() override;

  // Runs modally; the end code, or -1 when the window could not be made.
  int RunModal(HWND owner);
  // Called with the window once it exists, before the model's OnInit.
  void set_on_created(std::function<void(HWND)> on_created) { on_created_ = std::move(on_created); }
  // The icon the window shows and drags with (owned by the module).
  void set_icon(HICON icon) { icon_ = icon; }
  bool OpenModeless(HWND owner);

  DialogView& view() override { return *this; }
  HWND window() const { return window_; }

  void SetTitle(std::string_view text) override;
  std::string Title() override;
  void SetText(int id, std::string_view text) override;
  std::string Text(int id) override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) override;
  Rect WindowRect() override;
  void MoveWindow(const Rect& screen) override;
  Rect ControlRect(int id) override;
  void MoveControl(int id, const Rect& client) override;
  Rect ScreenToClient(const Rect& screen) override;
  Size MeasureText(int id, std::string_view text) override;
  int ListAdd(int id, std::string_view text, std::intptr_t data) override;
  void ListClear(int id) override;
  void ListDelete(int id, int index) override;
  void ListSelect(int id, int index) override;
  int ListSelection(int id) override;
  int ListCount(int id) override;
  std::intptr_t ListData(int id, int index) override;
  void CreateControl(ControlKind kind, int id, std::string_view text, const Rect& client) override;
  void DestroyControl(int id) override { ::DestroyWindow(Item(id)); }
  void SetChecked(int id, bool checked) override { ::CheckDlgButton(window_, id, checked ? BST_CHECKED : 0); }
  bool IsChecked(int id) override { return ::IsDlgButtonChecked(window_, id) == BST_CHECKED; }
  ButtonControl* AttachButton(int id, ButtonEvents& events) override;
  TreeControl* AttachTree(int id, TreeEvents& events) override;
  // Copies only while the window paints, within what is to be painted;
  // at any other time the area is invalidated instead.
  void PaintBitmap(const OffscreenBitmap& bitmap, const LogicalPalette* palette, int x, int y) override;
  void End(int code) override;
  int AskMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;
  void Invalidate() override { ::InvalidateRect(window_, nullptr, FALSE); }
  Size ScreenSize() override;
  int Metric(SystemMetric metric) override;
  bool ReturnKeyDown() override { return ::GetAsyncKeyState(VK_RETURN) != 0; }
  void SetWaitCursor(bool waiting) override;

  // Drawing straight onto the window (win32_dialog_drawing.cpp): through
  // the paint device context while the window paints, else its own.
  int ColourBits() override;
  Rect OwnerRect() override;
  void FillArea(const Rect& client, ColourRef colour) override;
  void DrawLine(int font_id, const Rect& client, std::string_view text, ColourRef colour,
                bool centred) override;
  ColourRef PixelAt(int x, int y) override;
  void BeginDrawing(const Rect& area) override;
  void EndDrawing() override;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void Command(int id, int code, HWND control);
  INT_PTR Notify(const NMHDR& header);
  HWND Item(int id) const { return ::GetDlgItem(window_, id); }
  bool IsCombo(int id) const;
  // The paint device context, else a batch's buffer, else null.
  HDC DrawingTarget() const;

  void Created();

  DialogModel& model_;
  HWND window_ = nullptr;
  bool modal_ = false;
  std::function<void(HWND)> on_created_;
  HICON icon_ = nullptr;
  // The paint device context while the window paints, else null.
  HDC paint_dc_ = nullptr;
  // The display's colour depth, asked once: under Wine every question
  // about the display costs server requests.
  int colour_bits_ = 0;
  DrawingCanvas canvas_;
  // Where a batch of drawing calls draws until it ends.
  std::unique_ptr<DrawingBuffer> batch_;
  int batch_depth_ = 0;
  std::map<int, std::unique_ptr<Win32ButtonControl>> buttons_;
  std::map<int, std::unique_ptr<Win32TreeControl>> trees_;
  HCURSOR cursor_before_wait_ = nullptr;
};

}  // namespace tvx::win32
