#include "ui/message_popup.h"

#include "ui/window_placement.h"

namespace tvx {

bool MessagePopup::Open(Ui& ui, BoxOwner owner) {
  window_ = ui.OpenModeless(*this, owner);
  return window_ != nullptr;
}

void MessagePopup::OnInit(DialogView& view) { CenterOnScreen(view); }

void MessagePopup::ShowText(std::string_view text) {
  if (!window_) return;
  DialogView& view = window_->view();
  const Size extent = view.MeasureText(0, text);
  const Rect old = view.WindowRect();
  const int width = extent.width + 20;
  const int height = extent.height + 20;
  const Rect popup = RectAt(old.left + (old.width() - width) / 2, old.top, width, height);
  view.MoveWindow(popup);
  Rect text_area = view.ScreenToClient(popup);
  text_area.top += 10;
  text_area.bottom += 10;
  view.MoveControl(kTextControl, text_area);
  view.SetText(kTextControl, text);
}

}  // namespace tvx
