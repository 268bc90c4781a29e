// The program's own question: a text with Yes and No, or one button.
#pragma once

#include <string>

#include "platform/dialog_model.h"
#include "platform/ui.h"
#include "ui/text_lookup.h"

namespace tvx {

class QuestionDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 150;
  static constexpr int kTextControl = 1017;

  QuestionDialog(std::string text, std::string caption, bool two_buttons, TextLookup strings);

  // Runs it; IDYES for the first button or Return, IDNO otherwise.
  int Ask(Ui& ui);

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

 private:
  void CentreTheOnlyButton(DialogView& view);

  std::string text_;
  std::string caption_;
  bool two_buttons_;
  TextLookup strings_;
};

}  // namespace tvx
