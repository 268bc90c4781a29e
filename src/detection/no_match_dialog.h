// Every configuration, and for the selected one what the machine lacks.
#pragma once

#include "detection/configuration_matcher.h"
#include "platform/dialog_model.h"

namespace tvx {

class NoMatchDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 144;
  static constexpr int kConfigurations = 1019;
  static constexpr int kReasons = 1020;
  static constexpr int kTopLabel = 1024;
  static constexpr int kReasonsLabel = 1025;

  explicit NoMatchDialog(ConfigurationMatcher& matcher) : matcher_(matcher) {}

  int Run(Ui& ui) { return ui.RunDialog(*this); }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnSelChange(DialogView& view, int id) override;

 private:
  void ShowReasons(DialogView& view, int index);

  ConfigurationMatcher& matcher_;
};

}  // namespace tvx
