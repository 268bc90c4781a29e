#include "platform/host/recording_dialog_view.h"

#include <algorithm>

namespace tvx::host {

const ControlState& DialogState::control(int id) const {
  static const ControlState kNone{};
  const auto found = controls.find(id);
  return found == controls.end() ? kNone : found->second;
}

void HostButtonControl::Move(const Rect& parent_client, bool repaint) {
  state_.rect = parent_client;
  ++(repaint ? erasing_moves_ : keeping_moves_);
}

void HostButtonControl::DrawBitmap(const OffscreenBitmap& bitmap, const LogicalPalette& palette) {
  drawn_ = &bitmap;
  palette_ = &palette;
  ++draws_;
}

RecordingDialogView::RecordingDialogView(const DialogTemplate& dialog, Machine machine)
    : template_(dialog), machine_(machine) {
  state_.id = dialog.id;
  state_.caption = dialog.caption;
  const Rect client = dialog.ToPixels(RectAt(0, 0, dialog.units.width(), dialog.units.height()));
  const int top = kFrame + (dialog.has_caption ? kCaption : 0);
  state_.window = RectAt(0, 0, client.width() + 2 * kFrame, client.height() + top + kFrame);
  for (const ControlTemplate& control : dialog.controls) {
    ControlState& state = state_.controls[control.id];
    state = ControlState{};
    state.kind = control.kind;
    state.text = control.text;
    state.visible = control.visible;
    state.enabled = control.enabled;
    state.rect = dialog.ToPixels(control.units);
  }
}

ControlState& RecordingDialogView::Control(int id) {
  const auto found = state_.controls.find(id);
  if (found != state_.controls.end()) return found->second;
  missing_ = {};
  return missing_;
}

Rect RecordingDialogView::ClientOrigin() const {
  const int top = kFrame + (template_.has_caption ? kCaption : 0);
  return RectAt(state_.window.left + kFrame, state_.window.top + top, 0, 0);
}

void RecordingDialogView::Changed() {
  if (on_change_) on_change_();
}

void RecordingDialogView::SetTitle(std::string_view text) {
  state_.caption = text;
  Changed();
}

void RecordingDialogView::SetText(int id, std::string_view text) {
  Control(id).text = text;
  Changed();
}

void RecordingDialogView::Enable(int id, bool enabled) { Control(id).enabled = enabled; }

void RecordingDialogView::Show(int id, bool visible) {
  if (id == 0) {
    state_.visible = visible;
  } else {
    Control(id).visible = visible;
  }
  Changed();
}

void RecordingDialogView::MoveWindow(const Rect& screen) { state_.window = screen; }

Rect RecordingDialogView::ControlRect(int id) {
  const Rect origin = ClientOrigin();
  const Rect rect = Control(id).rect;
  return {rect.left + origin.left, rect.top + origin.top, rect.right + origin.left, rect.bottom + origin.top};
}

void RecordingDialogView::MoveControl(int id, const Rect& client) { Control(id).rect = client; }

Rect RecordingDialogView::ScreenToClient(const Rect& screen) {
  const Rect origin = ClientOrigin();
  return {screen.left - origin.left, screen.top - origin.top, screen.right - origin.left,
          screen.bottom - origin.top};
}

Size RecordingDialogView::MeasureText(int, std::string_view text) {
  const Size base = template_.BaseUnits();
  return {static_cast<int>(text.size()) * base.width, base.height};
}

int RecordingDialogView::ListAdd(int id, std::string_view text, std::intptr_t data) {
  auto& items = Control(id).items;
  items.push_back({std::string(text), data});
  return static_cast<int>(items.size()) - 1;
}

void RecordingDialogView::ListClear(int id) {
  Control(id).items.clear();
  Control(id).selected = -1;
}

void RecordingDialogView::ListDelete(int id, int index) {
  ControlState& list = Control(id);
  if (index < 0 || index >= static_cast<int>(list.items.size())) return;
  list.items.erase(list.items.begin() + index);
  if (list.selected == index) list.selected = -1;
  if (list.selected > index) --list.selected;
}

void RecordingDialogView::ListSelect(int id, int index) {
  ControlState& list = Control(id);
  list.selected = index >= 0 && index < static_cast<int>(list.items.size()) ? index : -1;
}

std::intptr_t RecordingDialogView::ListData(int id, int index) {
  const ControlState& list = Control(id);
  return index >= 0 && index < static_cast<int>(list.items.size()) ? list.items[index].data : -1;
}

void RecordingDialogView::CreateControl(ControlKind kind, int id, std::string_view text, const Rect& client) {
  ControlState& state = state_.controls[id];
  state = {};
  switch (kind) {
    case ControlKind::CheckBox:
      state.kind = ControlClass::CheckBox;
      break;
    case ControlKind::PushButton:
      state.kind = ControlClass::Button;
      break;
    case ControlKind::ReadOnlyTextBox:
      state.kind = ControlClass::Edit;
      break;
    case ControlKind::Label:
    case ControlKind::FramedLabel:
      state.kind = ControlClass::Static;
      state.framed = kind == ControlKind::FramedLabel;
      break;
  }
  state.text = text;
  state.rect = client;
}

void RecordingDialogView::DestroyControl(int id) {
  trees_.erase(id);
  state_.controls.erase(id);
}

ButtonControl* RecordingDialogView::AttachButton(int id, ButtonEvents& events) {
  const auto found = state_.controls.find(id);
  if (found == state_.controls.end()) return nullptr;
  auto& button = buttons_[id];
  button = std::make_unique<HostButtonControl>(found->second, events, focused_button_);
  return button.get();
}

void HostButtonControl::TakeFocus() {
  if (focus_holder_ == this) return;
  HostButtonControl* previous = focus_holder_;
  focus_holder_ = this;
  if (previous) {
    previous->focused_ = false;
    previous->events_.OnFocus(false);
  }
  focused_ = true;
  events_.OnFocus(true);
}

void RecordingDialogView::FocusFirstControl() {
  for (const auto& entry : buttons_)
    if (entry.second->focused()) return;
  for (const ControlTemplate& control : template_.controls) {
    const ControlState& shown = Control(control.id);
    const bool takes_input = shown.kind != ControlClass::Static && shown.kind != ControlClass::GroupBox;
    if (!takes_input || !shown.visible || !shown.enabled) continue;
    if (HostButtonControl* owner_drawn = button(control.id)) owner_drawn->TakeFocus();
    return;
  }
}

TreeControl* RecordingDialogView::AttachTree(int id, TreeEvents& events) {
  const auto found = state_.controls.find(id);
  if (found == state_.controls.end() || found->second.kind != ControlClass::TreeView) return nullptr;
  auto& tree = trees_[id];
  tree = std::make_unique<HostTreeControl>(found->second.tree, events);
  return tree.get();
}

HostTreeControl* RecordingDialogView::tree(int id) {
  const auto found = trees_.find(id);
  return found == trees_.end() ? nullptr : found->second.get();
}

void RecordingDialogView::SetWaitCursor(bool waiting) {
  if (waiting && !waiting_) ++wait_cursors_;
  waiting_ = waiting;
}

HostButtonControl* RecordingDialogView::button(int id) {
  const auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second.get();
}

void RecordingDialogView::PaintBitmap(const OffscreenBitmap& bitmap, const LogicalPalette*, int x, int y) {
  const auto* source = dynamic_cast<const IndexedBitmap*>(&bitmap);
  if (!source) return;
  const Rect client = ScreenToClient(state_.window);
  const Size size{client.right - kFrame, client.bottom - kFrame};
  if (!canvas_ || canvas_->size() != size) canvas_ = std::make_unique<IndexedBitmap>(size);
  canvas_->CopyFrom(*source, x, y);
}

std::unique_ptr<IndexedBitmap> RecordingDialogView::Compose() const {
  if (!canvas_) return nullptr;
  auto picture = std::make_unique<IndexedBitmap>(*canvas_);
  for (const auto& [id, button] : buttons_) {
    const auto* drawn = dynamic_cast<const IndexedBitmap*>(button->drawn());
    if (drawn && button->state().visible)
      picture->CopyFrom(*drawn, button->state().rect.left, button->state().rect.top);
  }
  return picture;
}

void RecordingDialogView::End(int code) {
  if (state_.ended) return;
  state_.ended = true;
  state_.end_code = code;
}

int RecordingDialogView::AskMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
  return machine_.ui ? machine_.ui->ShowMessageBox(text, caption, style, BoxOwner::MainWindow) : box::kIdOk;
}

ColourPicture& RecordingDialogView::Drawing() {
  if (!drawing_) {
    const Rect client = ScreenToClient(state_.window);
    drawing_ =
        std::make_unique<ColourPicture>(Size{client.right - kFrame, client.bottom - kFrame}, kFaceColour);
  }
  return *drawing_;
}

void RecordingDialogView::FillArea(const Rect& client, ColourRef colour) {
  Drawing().Fill(client, colour);
  ++fills_[{client.left, client.top, client.right, client.bottom}];
}

int RecordingDialogView::FillsOf(const Rect& area) const {
  const auto found = fills_.find({area.left, area.top, area.right, area.bottom});
  return found == fills_.end() ? 0 : found->second;
}

void RecordingDialogView::DrawLine(int font_id, const Rect& client, std::string_view text, ColourRef colour,
                                   bool centred) {
  Drawing();
  // A line drawn where another was covers it: a box redrawn for every chunk
  // of a long copy keeps what it shows, not all it ever showed.
  std::erase_if(lines_, [&client](const DrawnLine& line) { return line.area == client; });
  lines_.push_back({font_id, client, std::string(text), colour, centred});
}

ColourRef RecordingDialogView::PixelAt(int x, int y) { return Drawing().At(x, y); }

int RecordingDialogView::Metric(SystemMetric) {
  // The classic metrics: menu bar, caption and caption buttons all 18 pixels.
  return 18;
}

}  // namespace tvx::host
