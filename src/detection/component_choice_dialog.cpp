#include "detection/component_choice_dialog.h"

#include "ui/window_placement.h"

namespace tvx {
namespace {

constexpr int kTitle = 380;
constexpr int kLabelText = 381;
constexpr int kOkLabel = 382;
constexpr int kCancelLabel = 383;
constexpr int kButtonGap = 10;     // between the last box and the buttons
constexpr int kCentreGap = 10;     // between each button and the centre
constexpr int kBottomMargin = 30;  // below the buttons

}  // namespace

void ComponentChoiceDialog::OnInit(DialogView& view) {
  PlaceButtons(view, CreateBoxes(view));
  CenterOnScreen(view);
  view.SetTitle(matcher_.Text(kTitle));
  view.SetText(kOkCommand, matcher_.Text(kOkLabel));
  view.SetText(kCancelCommand, matcher_.Text(kCancelLabel));
  view.SetText(kLabel, matcher_.Text(kLabelText));
}

int ComponentChoiceDialog::CreateBoxes(DialogView& view) {
  Rect box = kFirstBoxRect;
  int last_bottom = kFirstBoxRect.top;
  for (std::size_t i = 0; i < software_.size(); ++i) {
    const int id = kFirstBox + static_cast<int>(i);
    const DetectionTest* test = software_[i].test;
    view.CreateControl(ControlKind::CheckBox, id, test ? test->display_name : std::string(), box);
    view.SetChecked(id, software_[i].selected);
    last_bottom = box.bottom;
    box = {box.left, box.bottom + kBoxGap, box.right, box.bottom + kBoxGap + kFirstBoxRect.height()};
  }
  return last_bottom;
}

void ComponentChoiceDialog::PlaceButtons(DialogView& view, int last_bottom) {
  const Rect window = view.WindowRect();
  const Rect window_in_client = view.ScreenToClient(window);
  const int centre = (window_in_client.left + window_in_client.right) / 2;
  const Rect ok = view.ScreenToClient(view.ControlRect(kOkCommand));
  const Rect cancel = view.ScreenToClient(view.ControlRect(kCancelCommand));
  const int top = last_bottom + kButtonGap;
  view.MoveControl(kOkCommand, RectAt(centre - kCentreGap - ok.width(), top, ok.width(), ok.height()));
  view.MoveControl(kCancelCommand, RectAt(centre + kCentreGap, top, cancel.width(), cancel.height()));
  const int cancel_bottom = view.ControlRect(kCancelCommand).bottom;
  view.MoveWindow({window.left, window.top, window.right, cancel_bottom + kBottomMargin});
}

void ComponentChoiceDialog::DestroyBoxes(DialogView& view) {
  for (std::size_t i = 0; i < software_.size(); ++i) view.DestroyControl(kFirstBox + static_cast<int>(i));
}

void ComponentChoiceDialog::OnCommand(DialogView& view, int id) {
  if (id == kOkCommand) {
    for (std::size_t i = 0; i < software_.size(); ++i)
      software_[i].selected = view.IsChecked(kFirstBox + static_cast<int>(i));
    DestroyBoxes(view);
    view.End(kOkCommand);
  } else if (id == kCancelCommand) {
    DestroyBoxes(view);
    view.End(kCancelCommand);
  }
}

}  // namespace tvx
