// The program-group dialog: where under the Programs menu the product's
// shortcuts go, typed or chosen with the folder browser.
#pragma once

#include <string>

#include "platform/dialog_model.h"
#include "platform/platform.h"
#include "ui/text_lookup.h"
#include "ui/ui_process_state.h"

namespace tvx {

class GroupDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 139;
  static constexpr int kGroupBox = 1009;
  static constexpr int kGroupEdit = 1012;
  static constexpr int kBrowse = 1010;

  // programs: the Programs folder, without a final "\"; group: a folder
  // inside it, with one.
  GroupDialog(Platform& platform, UiProcessState& ui_state, std::string programs, std::string group,
              TextLookup strings);

  // The group folder: the one given until OK accepts another.
  const std::string& group() const { return group_; }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

  // The group as the edit field shows it: the part after the Programs
  // folder and its "\".
  std::string RelativeGroup() const;

 private:
  void FitWidth(DialogView& view);
  void Browse(DialogView& view);
  void Accept(DialogView& view);
  void Refuse(DialogView& view);
  // The Programs folder or a group in it, by the rule removal applies.
  bool InsidePrograms(const std::string& path) const;

  Platform& platform_;
  UiProcessState& ui_state_;
  std::string programs_;
  std::string group_;
  TextLookup strings_;
};

}  // namespace tvx
