#include "ui/image_button.h"

namespace tvx {

bool ImageButton::Create(DialogView& parent, int command_id, int string_number, int x, int y,
                         const LogicalPalette& palette) {
  control_ = parent.AttachButton(command_id, *this);
  if (!control_) return false;
  command_id_ = command_id;
  x_ = x;
  y_ = y;
  palette_ = &palette;
  enabled_ = true;
  pressed_ = false;
  if (!source_.Load(string_number, kSuffixes, palette, DrawMode::Create, pictures_)) return false;
  face_ = Face::Up;
  control_->Show(true);
  return true;
}

bool ImageButton::Reload(int string_number, const LogicalPalette& palette) {
  palette_ = &palette;
  return control_ && source_.Load(string_number, kSuffixes, palette, DrawMode::Reuse, pictures_);
}

void ImageButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!control_) return;
  control_->Enable(enabled);
  face_ = enabled ? Face::Up : Face::Disabled;
  if (control_->Exists()) Redraw();
}

void ImageButton::Release() {
  if (control_) control_->ReleaseCapture();
  Show(Face::Up);
}

void ImageButton::Show(Face face) {
  face_ = face;
  Redraw();
}

void ImageButton::Redraw() {
  const OffscreenBitmap* picture = pictures_[static_cast<int>(face_)].get();
  if (!control_ || !picture || !palette_) return;
  if (guide_on_ && face_ == Face::Focus && state_.guide) state_.guide->SetGuideFor(command_id_);
  const Size size = picture->size();
  control_->Move(RectAt(x_, y_, size.width, size.height), true);
  control_->DrawBitmap(*picture, *palette_);
}

void ImageButton::OnPointerMove(bool inside, bool left_held) {
  if (!control_) return;
  if (!pressed_) control_->Capture();
  if (!inside) {
    Show(Face::Up);
    pressed_ = false;
    control_->ReleaseCapture();
  } else if (left_held) {
    Show(Face::Down);
  } else {
    face_ = Face::Focus;
    control_->TakeFocus();
    Redraw();
  }
}

void ImageButton::OnLeftDown(bool inside) {
  if (inside) Show(Face::Down);
  pressed_ = true;
}

void ImageButton::OnFocus(bool gained) {
  if (gained) {
    Show(Face::Focus);
  } else {
    Show(enabled_ ? Face::Up : Face::Disabled);
  }
}

void ImageButton::OnKey(int key) {
  if (key == kReturnKey && state_.return_key_armed) {
    if (control_) control_->PostCommand(command_id_);
  } else {
    state_.return_key_armed = true;
  }
}

}  // namespace tvx
