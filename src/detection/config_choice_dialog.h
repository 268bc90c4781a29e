// The choice among the selectable configurations, with the explanation of
// the others, the details of the tests and the choice of components.
#pragma once

#include <optional>
#include <string>

#include "detection/configuration_matcher.h"
#include "platform/dialog_model.h"

namespace tvx {

inline constexpr const char* kNoConfigurationSelectedText = "You must select a configuration to install !";
inline constexpr const char* kNoConfigurationSelectedCaption = "Configuration selection error";

class ConfigChoiceDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 130;
  static constexpr int kList = 1019;
  static constexpr int kLabel = 1008;
  static constexpr int kDetails = 3;
  static constexpr int kOthers = 4;
  static constexpr int kTests = 5;
  // The item that stands for the configurations of the other types.
  static constexpr const char* kMoreItem = "...";

  explicit ConfigChoiceDialog(ConfigurationMatcher& matcher) : matcher_(matcher) {}

  // 1 with a selection, 2 when cancelled or when nothing can be listed.
  int Run(Ui& ui) { return ui.RunDialog(*this); }
  Configuration* selection() const { return selection_; }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;
  void OnSelChange(DialogView& view, int id) override;
  void OnDoubleClick(DialogView& view, int id) override;

  // Lists the selectable configurations again, keeping the selected index
  // while it still shows the selected configuration.
  void FillList(DialogView& view);

 private:
  bool Listed(const Configuration& configuration) const;
  void AddItem(DialogView& view, Configuration& configuration);
  // Selects an item; the selection follows what the list shows.
  void Select(DialogView& view, int index);
  void ShowOtherTypes(DialogView& view, int more_index);
  void Confirm(DialogView& view);
  void ExplainOthers(DialogView& view);

  ConfigurationMatcher& matcher_;
  Configuration* selection_ = nullptr;
  std::optional<std::string> first_type_;
};

}  // namespace tvx
