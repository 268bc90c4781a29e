#include "uninstall/uninstall_choice.h"

#include "registry/installed_products.h"

namespace tvx {

UninstallChoiceDialog::UninstallChoiceDialog(std::vector<std::string> products)
    : products_(std::move(products)) {}

void UninstallChoiceDialog::OnInit(DialogView& view) {
  for (const std::string& product : products_) view.ListAdd(kProductList, product, 0);
  if (!products_.empty()) view.ListSelect(kProductList, 0);
  Remember(view);
}

void UninstallChoiceDialog::OnSelChange(DialogView& view, int id) {
  if (id == kProductList) Remember(view);
}

void UninstallChoiceDialog::Remember(DialogView& view) {
  const int index = view.ListSelection(kProductList);
  selected_ =
      index >= 0 && static_cast<std::size_t>(index) < products_.size() ? products_[index] : std::string();
}

UninstallChoice ChooseProductToUninstall(Platform& platform, RegistryProcessState& state) {
  UninstallChoiceDialog dialog(ListInstalledProducts(platform.files, state));
  if (platform.ui.RunDialog(dialog) != DialogModel::kOkCommand || dialog.selected().empty()) return {};
  UninstallChoice choice{dialog.selected(), {}};
  choice.script_path = ProductScriptPath(platform.files, state, choice.product).value_or(std::string());
  return choice;
}

}  // namespace tvx
