#include "platform/headless_dialog_view.h"

namespace tvx {
namespace {

// An owner-drawn control that exists but shows nothing.
class HeadlessButton : public ButtonControl {
 public:
  void Show(bool) override {}
  void Enable(bool) override {}
  bool Exists() override { return true; }
  void Move(const Rect&, bool) override {}
  void DrawBitmap(const OffscreenBitmap&, const LogicalPalette&) override {}
  void Capture() override {}
  void ReleaseCapture() override {}
  void TakeFocus() override {}
  void PostCommand(int) override {}
};

}  // namespace

HeadlessDialogView::~HeadlessDialogView() = default;

// A fixed cell per character: models only compare widths against others
// measured the same way.
Size HeadlessDialogView::MeasureText(int, std::string_view text) {
  return {static_cast<int>(text.size()) * 8, 16};
}

int HeadlessDialogView::ListAdd(int id, std::string_view text, std::intptr_t data) {
  Control& control = controls_[id];
  control.items.push_back({std::string(text), data});
  return static_cast<int>(control.items.size()) - 1;
}

void HeadlessDialogView::ListClear(int id) {
  controls_[id].items.clear();
  controls_[id].selected = -1;
}

void HeadlessDialogView::ListDelete(int id, int index) {
  Control& control = controls_[id];
  if (index < 0 || index >= static_cast<int>(control.items.size())) return;
  control.items.erase(control.items.begin() + index);
  if (control.selected == index) control.selected = -1;
  if (control.selected > index) --control.selected;
}

void HeadlessDialogView::ListSelect(int id, int index) {
  Control& control = controls_[id];
  control.selected = index >= 0 && index < static_cast<int>(control.items.size()) ? index : -1;
}

std::intptr_t HeadlessDialogView::ListData(int id, int index) {
  const Control& control = controls_[id];
  if (index < 0 || index >= static_cast<int>(control.items.size())) return -1;
  return control.items[static_cast<std::size_t>(index)].data;
}

void HeadlessDialogView::CreateControl(ControlKind, int id, std::string_view text, const Rect& client) {
  Control& control = controls_[id];
  control.text = text;
  control.rect = client;
}

ButtonControl* HeadlessDialogView::AttachButton(int id, ButtonEvents&) {
  auto& button = buttons_[id];
  if (!button) button = std::make_unique<HeadlessButton>();
  return button.get();
}

// The first end counts, as a window ends once.
void HeadlessDialogView::End(int code) {
  if (ended_) return;
  ended_ = true;
  end_code_ = code;
}

}  // namespace tvx
