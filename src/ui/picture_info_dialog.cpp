#include "ui/picture_info_dialog.h"

#include "ui/window_placement.h"

namespace tvx {

void PictureInfoDialog::OnInit(DialogView& view) {
  view.MoveWindow(RectAt(0, 0, kSize.width, kSize.height));
  CenterOnScreen(view);
}

}  // namespace tvx
