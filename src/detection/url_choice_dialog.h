// The choice of the web address recorded with the product.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog_model.h"
#include "ui/text_lookup.h"
#include "ui/ui_process_state.h"

namespace tvx {

inline constexpr const char* kNoUrlSelectedText = "You must select a URL to install !";
inline constexpr const char* kNoUrlSelectedCaption = "URL selection error";

class UrlChoiceDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 163;
  static constexpr int kList = 1042;

  UrlChoiceDialog(const std::vector<std::string>& addresses, TextLookup strings, UiProcessState& ui_state)
      : addresses_(addresses), strings_(std::move(strings)), ui_state_(ui_state) {}

  // 1 with an address chosen; 2 when cancelled or when there is none.
  int Run(Ui& ui) { return ui.RunDialog(*this); }
  const std::string& chosen() const { return chosen_; }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;
  void OnDoubleClick(DialogView& view, int id) override;

 private:
  // The address of the selected item; null when nothing is selected.
  const std::string* Selected(DialogView& view) const;

  const std::vector<std::string>& addresses_;
  TextLookup strings_;
  UiProcessState& ui_state_;
  std::string chosen_;
};

}  // namespace tvx
