// The picture beside the panel buttons that explains the button under the
// pointer or holding the focus. It takes no part in input.
#pragma once

#include <array>
#include <memory>

#include "platform/dialog_view.h"
#include "ui/pcx_bitmap.h"
#include "ui/picture_source.h"

namespace tvx {

struct GuidePosition {
  int x = 0;
  int y = 0;
};

class ButtonGuide : public ButtonEvents {
 public:
  static constexpr int kNone = 0;
  // Guide pictures in the order install, uninstall, play, quit.
  static constexpr std::array<int, 4> kCommands = {1000, 1003, 1002, 2};
  static constexpr PictureSuffixes kSuffixes = {"_i.pcx", "_u.pcx", "_s.pcx", "_e.pcx"};

  // keep_guides: DO NOT ERASE BUTTON GUIDES, so a move leaves the old picture.
  ButtonGuide(const PictureSource& source, bool keep_guides) : source_(source), keep_guides_(keep_guides) {}

  bool Create(DialogView& parent, int command_id, int string_number,
              const std::array<GuidePosition, 4>& positions, const LogicalPalette& palette);
  // The palette is the panel's new one: a reload rebuilds it.
  bool Reload(int string_number, const LogicalPalette& palette);
  void SetGuideFor(int command_id);
  void SetEnabled(bool enabled);

  int requested() const { return requested_; }
  int shown() const { return shown_; }
  bool enabled() const { return enabled_; }
  const OffscreenBitmap* picture(int index) const { return pictures_[index].get(); }

  bool TakesInput() const override { return false; }
  void OnPointerMove(bool, bool) override {}
  void OnLeftDown(bool) override {}
  void OnLeftUp() override {}
  void OnFocus(bool) override {}
  void OnKey(int) override {}
  void OnDraw() override;

 private:
  void Redraw();
  void Draw(int index);

  PictureSource source_;
  bool keep_guides_;
  int command_id_ = 0;
  ButtonControl* control_ = nullptr;
  std::array<GuidePosition, 4> positions_{};
  const LogicalPalette* palette_ = nullptr;
  PictureSet pictures_;
  int requested_ = 0;
  int shown_ = kNone;
  bool enabled_ = false;
};

}  // namespace tvx
