// A borderless one-line notice that stays up while a long step runs.
#pragma once

#include <memory>
#include <string_view>

#include "platform/dialog_model.h"
#include "platform/modeless_dialog.h"
#include "platform/ui.h"

namespace tvx {

class MessagePopup : public DialogModel {
 public:
  static constexpr int kTemplate = 138;
  static constexpr int kTextControl = 1017;

  // Opens the popup centred on the screen; false when it could not be made.
  bool Open(Ui& ui, BoxOwner owner);
  // Sizes the popup to the text about its old centre, keeping its top.
  void ShowText(std::string_view text);
  void Close() { window_.reset(); }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;

 private:
  std::unique_ptr<ModelessDialog> window_;
};

}  // namespace tvx
