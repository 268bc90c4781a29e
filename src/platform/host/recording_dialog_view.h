// A dialog on the simulated machine: keeps the state of every control as
// the user would see it, laid out from the program's dialog templates.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog_view.h"
#include "platform/host/colour_picture.h"
#include "platform/host/dialog_templates.h"
#include "platform/host/host_tree_control.h"
#include "platform/indexed_surface.h"
#include "platform/ui.h"

namespace tvx::host {

// A line of text drawn onto the client area; the simulated machine keeps
// the text and draws no glyphs.
struct DrawnLine {
  int font_id = 0;
  Rect area;
  std::string text;
  ColourRef colour = 0;
  bool centred = false;
};

struct ListItem {
  std::string text;
  std::intptr_t data = 0;
};

struct ControlState {
  ControlClass kind = ControlClass::Other;
  std::string text;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool framed = false;  // a framed label made at run time
  Rect rect;            // client pixels
  std::vector<ListItem> items;
  int selected = -1;
  TreeState tree;  // a tree view's items
};

// What the window shows at one moment.
struct DialogState {
  int id = 0;
  std::string caption;
  bool visible = true;
  Rect window;  // screen pixels, frame included
  std::map<int, ControlState> controls;
  bool ended = false;
  int end_code = 0;

  const ControlState& control(int id) const;
};

// An owner-drawn control taken over by a widget.
class HostButtonControl : public ButtonControl {
 public:
  // focus_holder: the window's one control with the keyboard focus.
  HostButtonControl(ControlState& state, ButtonEvents& events, HostButtonControl*& focus_holder)
      : state_(state), events_(events), focus_holder_(focus_holder) {}
  ~HostButtonControl() override {
    if (focus_holder_ == this) focus_holder_ = nullptr;
  }
  void Show(bool visible) override { state_.visible = visible; }
  void Enable(bool enabled) override { state_.enabled = enabled; }
  bool Exists() override { return true; }
  void Move(const Rect& parent_client, bool repaint) override;
  void DrawBitmap(const OffscreenBitmap& bitmap, const LogicalPalette& palette) override;
  void Capture() override { captured_ = true; }
  void ReleaseCapture() override { captured_ = false; }
  // As the system does: the control that had the focus hears it lost it,
  // then this one hears it gained it.
  void TakeFocus() override;
  void PostCommand(int id) override { posted_.push_back(id); }

  ButtonEvents& events() { return events_; }
  const ControlState& state() const { return state_; }
  bool captured() const { return captured_; }
  bool focused() const { return focused_; }
  const std::vector<int>& posted() const { return posted_; }
  const OffscreenBitmap* drawn() const { return drawn_; }
  const LogicalPalette* palette() const { return palette_; }
  int draws() const { return draws_; }
  // Moves that asked the parent to repaint what they uncovered, and those that did not.
  int erasing_moves() const { return erasing_moves_; }
  int keeping_moves() const { return keeping_moves_; }

 private:
  ControlState& state_;
  ButtonEvents& events_;
  HostButtonControl*& focus_holder_;
  bool captured_ = false;
  bool focused_ = false;
  std::vector<int> posted_;
  const OffscreenBitmap* drawn_ = nullptr;
  const LogicalPalette* palette_ = nullptr;
  int draws_ = 0;
  int erasing_moves_ = 0;
  int keeping_moves_ = 0;
};

class RecordingDialogView : public DialogView {
 public:
  struct Machine {
    Size screen{800, 600};
    Ui* ui = nullptr;  // message boxes the dialog asks
    bool return_key_down = false;
    int colour_bits = 8;
  };

  RecordingDialogView(const DialogTemplate& dialog, Machine machine);

  const DialogState& state() const { return state_; }
  const DialogTemplate& dialog_template() const { return template_; }
  HostButtonControl* button(int id);
  HostTreeControl* tree(int id);
  // Whether the hourglass shows, and how often it was put up.
  bool waiting() const { return waiting_; }
  int wait_cursors() const { return wait_cursors_; }
  // What the dialog manager does once the dialog is initialised: the first
  // visible, enabled control that takes input gets the focus; an owner-drawn
  // one is told, so it shows its focus picture.
  void FocusFirstControl();
  // The client area as painted by the model, when it paints.
  const IndexedBitmap* canvas() const { return canvas_.get(); }
  // What the client area shows: the model's painting with every visible
  // owner-drawn control's last picture on top; null before any painting.
  std::unique_ptr<IndexedBitmap> Compose() const;
  int invalidations() const { return invalidations_; }
  void set_return_key_down(bool down) { machine_.return_key_down = down; }
  void set_screen(Size screen) { machine_.screen = screen; }
  // Called after every visible change (modeless windows write them out).
  void set_on_change(std::function<void()> on_change) { on_change_ = std::move(on_change); }

  void SetTitle(std::string_view text) override;
  std::string Title() override { return state_.caption; }
  void SetText(int id, std::string_view text) override;
  std::string Text(int id) override { return Control(id).text; }
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) override { return Control(id).enabled; }
  void Show(int id, bool visible) override;
  bool IsVisible(int id) override { return id == 0 ? state_.visible : Control(id).visible; }
  Rect WindowRect() override { return state_.window; }
  void MoveWindow(const Rect& screen) override;
  Rect ControlRect(int id) override;
  void MoveControl(int id, const Rect& client) override;
  Rect ScreenToClient(const Rect& screen) override;
  Size MeasureText(int id, std::string_view text) override;
  int ListAdd(int id, std::string_view text, std::intptr_t data) override;
  void ListClear(int id) override;
  void ListDelete(int id, int index) override;
  void ListSelect(int id, int index) override;
  int ListSelection(int id) override { return Control(id).selected; }
  int ListCount(int id) override { return static_cast<int>(Control(id).items.size()); }
  std::intptr_t ListData(int id, int index) override;
  void CreateControl(ControlKind kind, int id, std::string_view text, const Rect& client) override;
  void DestroyControl(int id) override;
  void SetChecked(int id, bool checked) override { Control(id).checked = checked; }
  bool IsChecked(int id) override { return Control(id).checked; }
  ButtonControl* AttachButton(int id, ButtonEvents& events) override;
  TreeControl* AttachTree(int id, TreeEvents& events) override;
  void PaintBitmap(const OffscreenBitmap& bitmap, const LogicalPalette* palette, int x, int y) override;
  void Invalidate() override { ++invalidations_; }
  void End(int code) override;
  int AskMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;
  Size ScreenSize() override { return machine_.screen; }
  int Metric(SystemMetric metric) override;
  bool ReturnKeyDown() override { return machine_.return_key_down; }
  void SetWaitCursor(bool waiting) override;

  // Drawing straight onto the window: fills land on a true-colour picture
  // of the client area, which starts in the dialog face colour.
  int ColourBits() override { return machine_.colour_bits; }
  // The simulated machine knows no owner windows: the screen.
  Rect OwnerRect() override { return RectAt(0, 0, machine_.screen.width, machine_.screen.height); }
  void FillArea(const Rect& client, ColourRef colour) override;
  void DrawLine(int font_id, const Rect& client, std::string_view text, ColourRef colour,
                bool centred) override;
  ColourRef PixelAt(int x, int y) override;
  // Null before anything was drawn.
  const ColourPicture* drawing() const { return drawing_.get(); }
  // The lines shown, in the order they were drawn; one drawn on another's
  // area took its place.
  const std::vector<DrawnLine>& lines() const { return lines_; }
  // How many fills covered exactly this rectangle.
  int FillsOf(const Rect& area) const;
  void set_colour_bits(int bits) { machine_.colour_bits = bits; }

  static constexpr ColourRef kFaceColour = RgbColour(0xC0, 0xC0, 0xC0);

  // The frame around the client area: the dialog frame and the caption.
  static constexpr int kFrame = 3;
  static constexpr int kCaption = 18;

 private:
  ControlState& Control(int id);
  Rect ClientOrigin() const;
  ColourPicture& Drawing();
  void Changed();

  DialogTemplate template_;
  Machine machine_;
  DialogState state_;
  ControlState missing_;  // what a control the template lacks reads as
  HostButtonControl* focused_button_ = nullptr;
  std::map<int, std::unique_ptr<HostButtonControl>> buttons_;
  std::map<int, std::unique_ptr<HostTreeControl>> trees_;
  bool waiting_ = false;
  int wait_cursors_ = 0;
  std::unique_ptr<IndexedBitmap> canvas_;
  std::function<void()> on_change_;
  int invalidations_ = 0;
  std::unique_ptr<ColourPicture> drawing_;
  std::vector<DrawnLine> lines_;
  std::map<std::array<int, 4>, int> fills_;
};

}  // namespace tvx::host
