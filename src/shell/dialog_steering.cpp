#include "shell/dialog_steering.h"

#include "detection/auto_config_dialog.h"
#include "detection/config_choice_dialog.h"

namespace tvx {
namespace {

// The choice list's last item, behind which the other types wait.
constexpr std::intptr_t kMoreItemData = -1;

}  // namespace

bool SelectItemByData(DialogModel& model, DialogView& view, int list, std::intptr_t data) {
  for (int i = 0; i < view.ListCount(list); ++i) {
    if (view.ListData(list, i) != data) continue;
    view.ListSelect(list, i);
    model.OnSelChange(view, list);
    return true;
  }
  return false;
}

void LeaveProposal(DialogModel& model, DialogView& view) {
  const bool change = view.IsVisible(AutoConfigDialog::kChange) && view.IsEnabled(AutoConfigDialog::kChange);
  model.OnCommand(view, change ? AutoConfigDialog::kChange : DialogModel::kOkCommand);
}

bool ChooseConfigurationAt(DialogModel& model, DialogView& view, std::size_t index) {
  const auto data = static_cast<std::intptr_t>(index);
  bool listed = SelectItemByData(model, view, ConfigChoiceDialog::kList, data);
  if (!listed && SelectItemByData(model, view, ConfigChoiceDialog::kList, kMoreItemData)) {
    model.OnDoubleClick(view, ConfigChoiceDialog::kList);
    listed = SelectItemByData(model, view, ConfigChoiceDialog::kList, data);
  }
  model.OnCommand(view, listed ? DialogModel::kOkCommand : DialogModel::kCancelCommand);
  return listed;
}

}  // namespace tvx
