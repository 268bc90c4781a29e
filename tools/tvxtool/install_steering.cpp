#include "install_steering.h"

#include <functional>

#include "detection/auto_config_dialog.h"
#include "detection/config_choice_dialog.h"
#include "install/destination_dialog.h"
#include "platform/dialog_model.h"
#include "shell/dialog_steering.h"
#include "ui/language_choice_dialog.h"

namespace tvx::authoring {
namespace {

using Steer = std::function<void(DialogModel& model, DialogView& view)>;

// A dialog as its model has it, and the user's choice made once it shows.
class SteeredDialog : public DialogModel {
 public:
  SteeredDialog(DialogModel& inner, Steer steer) : inner_(inner), steer_(std::move(steer)) {}

  int TemplateId() const override { return inner_.TemplateId(); }
  void OnInit(DialogView& view) override { inner_.OnInit(view); }
  void OnCommand(DialogView& view, int id) override { inner_.OnCommand(view, id); }
  void OnSelChange(DialogView& view, int id) override { inner_.OnSelChange(view, id); }
  void OnDoubleClick(DialogView& view, int id) override { inner_.OnDoubleClick(view, id); }
  void OnKey(DialogView& view, int key) override { inner_.OnKey(view, key); }
  void OnDisplayChange(DialogView& view) override { inner_.OnDisplayChange(view); }
  void OnActivate(DialogView& view, bool active) override { inner_.OnActivate(view, active); }
  void OnPaint(DialogView& view) override {
    inner_.OnPaint(view);
    if (steered_) return;
    steered_ = true;
    steer_(inner_, view);
  }

 private:
  DialogModel& inner_;
  Steer steer_;
  bool steered_ = false;
};

}  // namespace

int SteeringUi::RunDialog(DialogModel& model) {
  Steer steer;
  const int id = model.TemplateId();
  if (id == LanguageChoiceDialog::kTemplate && choices_.language) {
    steer = [this](DialogModel& m, DialogView& v) {
      if (SelectItemByData(m, v, LanguageChoiceDialog::kList, static_cast<std::intptr_t>(*choices_.language)))
        m.OnCommand(v, DialogModel::kOkCommand);
    };
  } else if (id == AutoConfigDialog::kTemplate && choices_.configuration) {
    // The proposal may be the one asked for: the choice list says so.
    steer = [](DialogModel& m, DialogView& v) { LeaveProposal(m, v); };
  } else if (id == ConfigChoiceDialog::kTemplate && choices_.configuration) {
    steer = [this](DialogModel& m, DialogView& v) {
      configuration_unlisted_ = !ChooseConfigurationAt(m, v, *choices_.configuration);
    };
  } else if (id == DestinationDialog::kTemplate && choices_.directory) {
    steer = [this](DialogModel& m, DialogView& v) {
      v.SetText(DestinationDialog::kPathEdit, *choices_.directory);
      m.OnCommand(v, DialogModel::kOkCommand);
    };
  }
  if (!steer) return inner_.RunDialog(model);
  SteeredDialog steered(model, std::move(steer));
  return inner_.RunDialog(steered);
}

}  // namespace tvx::authoring
