#include "ui/button_guide.h"

namespace tvx {
namespace {

int IndexOf(int command_id) {
  for (std::size_t i = 0; i < ButtonGuide::kCommands.size(); ++i)
    if (ButtonGuide::kCommands[i] == command_id) return static_cast<int>(i);
  return -1;
}

}  // namespace

bool ButtonGuide::Create(DialogView& parent, int command_id, int string_number,
                         const std::array<GuidePosition, 4>& positions, const LogicalPalette& palette) {
  control_ = parent.AttachButton(command_id, *this);
  if (!control_) return false;
  command_id_ = command_id;
  positions_ = positions;
  palette_ = &palette;
  if (!source_.Load(string_number, kSuffixes, palette, DrawMode::Create, pictures_)) return false;
  control_->Show(true);
  return true;
}

bool ButtonGuide::Reload(int string_number, const LogicalPalette& palette) {
  palette_ = &palette;
  return control_ && source_.Load(string_number, kSuffixes, palette, DrawMode::Reuse, pictures_);
}

void ButtonGuide::SetGuideFor(int command_id) {
  requested_ = command_id;
  Redraw();
}

void ButtonGuide::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!control_) return;
  control_->Enable(enabled);
  if (control_->Exists()) Redraw();
}

void ButtonGuide::Redraw() {
  if (IndexOf(shown_) < 0) {
    requested_ = kCommands[0];
  } else if (requested_ == 0) {
    requested_ = shown_;
  }
  // Other commands (the web button's among them) have no guide picture.
  const int index = IndexOf(requested_);
  if (index < 0) return;
  shown_ = requested_;
  Draw(index);
}

void ButtonGuide::OnDraw() {
  // The system repaints what is shown, even while a command without a
  // guide picture is the one requested.
  const int index = IndexOf(shown_);
  if (index >= 0) {
    Draw(index);
  } else {
    Redraw();
  }
}

void ButtonGuide::Draw(int index) {
  const OffscreenBitmap* picture = pictures_[index].get();
  if (!control_ || !picture || !palette_) return;
  const Size size = picture->size();
  control_->Move(RectAt(positions_[index].x, positions_[index].y, size.width, size.height), !keep_guides_);
  control_->DrawBitmap(*picture, *palette_);
}

}  // namespace tvx
