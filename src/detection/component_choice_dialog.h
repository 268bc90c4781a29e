// Which of a configuration's media components the installation installs:
// one check box per component, made when the dialog opens.
#pragma once

#include <vector>

#include "detection/configuration_matcher.h"
#include "platform/dialog_model.h"
#include "script/requirement.h"

namespace tvx {

class ComponentChoiceDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 159;
  static constexpr int kLabel = 1039;
  static constexpr int kFirstBox = 1000;
  // Client pixels: the first box, and the step to the next.
  static constexpr Rect kFirstBoxRect{10, 30, 200, 45};
  static constexpr int kBoxGap = 5;

  ComponentChoiceDialog(ConfigurationMatcher& matcher, std::vector<Requirement>& software)
      : matcher_(matcher), software_(software) {}

  // OK sets each requirement's selected flag from its box; Cancel keeps them.
  int Run(Ui& ui) { return ui.RunDialog(*this); }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

 private:
  // The bottom of the last box (where the first would start, without any).
  int CreateBoxes(DialogView& view);
  void PlaceButtons(DialogView& view, int last_bottom);
  void DestroyBoxes(DialogView& view);

  ConfigurationMatcher& matcher_;
  std::vector<Requirement>& software_;
};

}  // namespace tvx
