// A fixed picture with a caption, shown before the MMX line of the
// no-match explanation.
#pragma once

#include "platform/dialog_model.h"
#include "platform/ui.h"

namespace tvx {

class PictureInfoDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 155;
  static constexpr Size kSize{346, 166};

  int Run(Ui& ui) { return ui.RunDialog(*this); }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
};

}  // namespace tvx
