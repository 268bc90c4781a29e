#include "ui/splash_window.h"

#include "ui/window_placement.h"

namespace tvx {

bool SplashWindow::Open(Ui& ui) {
  ui_ = &ui;
  window_ = ui.OpenModeless(*this, BoxOwner::None);
  return window_ != nullptr;
}

void SplashWindow::Hide() {
  if (window_) window_->view().Show(0, false);
}

void SplashWindow::OnInit(DialogView& view) {
  picture_ = ui_->surface().LoadBitmapResource(kBitmap);
  const Size size = picture_.bitmap ? picture_.bitmap->size() : Size{};
  view.MoveWindow(RectAt(0, 0, size.width, size.height));
  CenterOnScreen(view);
}

void SplashWindow::OnPaint(DialogView& view) {
  if (picture_.bitmap) view.PaintBitmap(*picture_.bitmap, picture_.palette.get(), 0, 0);
}

}  // namespace tvx
