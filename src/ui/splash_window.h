// The picture shown while the front panel prepares itself.
#pragma once

#include <memory>

#include "platform/dialog_model.h"
#include "platform/modeless_dialog.h"
#include "platform/surface.h"
#include "platform/ui.h"

namespace tvx {

class SplashWindow : public DialogModel {
 public:
  static constexpr int kTemplate = 137;
  static constexpr int kBitmap = 139;

  // Shows the window, without owner; false when it could not be made.
  bool Open(Ui& ui);
  void Hide();

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnPaint(DialogView& view) override;

  const BitmapResource& picture() const { return picture_; }

 private:
  Ui* ui_ = nullptr;
  BitmapResource picture_;
  std::unique_ptr<ModelessDialog> window_;
};

}  // namespace tvx
