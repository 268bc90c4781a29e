#include "detection/no_match_dialog.h"

#include "detection/unmet_requirements.h"
#include "ui/picture_info_dialog.h"

namespace tvx {
namespace {

constexpr int kTitle = 230;
constexpr int kTopText = 231;
constexpr int kReasonsText = 232;
constexpr int kOkLabel = 233;

}  // namespace

void NoMatchDialog::OnInit(DialogView& view) {
  view.SetTitle(matcher_.Text(kTitle));
  view.SetText(kTopLabel, matcher_.Text(kTopText));
  view.SetText(kReasonsLabel, matcher_.Text(kReasonsText));
  view.SetText(kOkCommand, matcher_.Text(kOkLabel));
  for (Configuration& configuration : matcher_.configurations()) {
    const std::string text = configuration.playable ? configuration.name : matcher_.SizedName(configuration);
    view.ListAdd(kConfigurations, text, matcher_.IndexOf(&configuration));
  }
  if (view.ListCount(kConfigurations) == 0) return;
  view.ListSelect(kConfigurations, 0);
  ShowReasons(view, 0);
}

void NoMatchDialog::OnSelChange(DialogView& view, int id) {
  if (id == kConfigurations) ShowReasons(view, view.ListSelection(kConfigurations));
}

void NoMatchDialog::ShowReasons(DialogView& view, int index) {
  view.ListClear(kReasons);
  const std::intptr_t data = index >= 0 ? view.ListData(kConfigurations, index) : -1;
  auto& all = matcher_.configurations();
  if (data < 0 || static_cast<std::size_t>(data) >= all.size()) return;
  Ui& ui = matcher_.environment().platform.ui;
  const auto lines = UnmetRequirementLines(matcher_, all[static_cast<std::size_t>(data)],
                                           [&ui] { PictureInfoDialog().Run(ui); });
  for (const std::string& line : lines) view.ListAdd(kReasons, line, 0);
}

}  // namespace tvx
