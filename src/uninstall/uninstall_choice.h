// "-uninstall" without a product: the user picks one of the installed
// products, whose script is then loaded.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog_model.h"
#include "platform/platform.h"
#include "registry/registry_process_state.h"

namespace tvx {

class UninstallChoiceDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 147;
  static constexpr int kProductList = 1026;

  explicit UninstallChoiceDialog(std::vector<std::string> products);

  // The line selected when the dialog ended; empty when there was none.
  const std::string& selected() const { return selected_; }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnSelChange(DialogView& view, int id) override;

 private:
  void Remember(DialogView& view);

  std::vector<std::string> products_;
  std::string selected_;
};

struct UninstallChoice {
  std::string product;      // empty when none was chosen
  std::string script_path;  // empty when the product has no "Directory"
};

// Lists "INSTALLED PRODUCTS" in file order, first line selected.
UninstallChoice ChooseProductToUninstall(Platform& platform, RegistryProcessState& state);

}  // namespace tvx
