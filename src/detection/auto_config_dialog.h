// The proposal: install the proposed configuration, change it, or cancel.
#pragma once

#include <string>

#include "detection/configuration_matcher.h"
#include "platform/dialog_model.h"

namespace tvx {

class AutoConfigDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 142;
  static constexpr int kInstall = 1000;
  static constexpr int kChange = 1001;
  static constexpr int kLabel = 1021;
  static constexpr int kProposal = 1020;

  // The text is made now, from the proposed configuration with its size.
  AutoConfigDialog(ConfigurationMatcher& matcher, Configuration& proposed, bool change_allowed);

  // 1 to install, 1001 to change, 2 to cancel.
  int Run(Ui& ui) { return ui.RunDialog(*this); }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

  const std::string& text() const { return text_; }

 private:
  ConfigurationMatcher& matcher_;
  bool change_allowed_;
  std::string text_;
};

}  // namespace tvx
