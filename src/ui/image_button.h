// A panel button whose face is one of four PCX pictures and which follows
// the pointer without a click.
#pragma once

#include <array>
#include <memory>

#include "platform/dialog_view.h"
#include "ui/pcx_bitmap.h"
#include "ui/picture_source.h"
#include "ui/ui_process_state.h"

namespace tvx {

class ImageButton : public ButtonEvents {
 public:
  enum class Face { Up, Down, Focus, Disabled };
  static constexpr PictureSuffixes kSuffixes = {"u.pcx", "d.pcx", "f.pcx", "x.pcx"};

  // guide_on: the script's BUTTON GUIDE; the focus face then asks the
  // state's guide for this button's picture.
  ImageButton(const PictureSource& source, UiProcessState& state, bool guide_on)
      : source_(source), state_(state), guide_on_(guide_on) {}

  // Takes over the parent's control command_id and loads the four faces;
  // the control stays hidden unless all four load.
  bool Create(DialogView& parent, int command_id, int string_number, int x, int y,
              const LogicalPalette& palette);
  // The palette is the panel's new one: a reload rebuilds it.
  bool Reload(int string_number, const LogicalPalette& palette);
  void SetEnabled(bool enabled);
  // Lets go of the mouse and shows the up picture, as an action starts.
  void Release();
  void TakeFocus() {
    if (control_) control_->TakeFocus();
  }

  Face face() const { return face_; }
  bool enabled() const { return enabled_; }
  bool pressed() const { return pressed_; }
  const OffscreenBitmap* picture(Face face) const { return pictures_[static_cast<int>(face)].get(); }

  void OnPointerMove(bool inside, bool left_held) override;
  void OnLeftDown(bool inside) override;
  void OnLeftUp() override { pressed_ = false; }
  void OnFocus(bool gained) override;
  void OnKey(int key) override;
  void OnDraw() override { Redraw(); }

 private:
  void Show(Face face);
  void Redraw();

  PictureSource source_;
  UiProcessState& state_;
  bool guide_on_;
  int command_id_ = 0;
  ButtonControl* control_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  const LogicalPalette* palette_ = nullptr;
  PictureSet pictures_;
  Face face_ = Face::Up;
  bool enabled_ = true;
  bool pressed_ = false;
};

}  // namespace tvx
