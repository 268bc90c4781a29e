#include "detection/config_choice_dialog.h"

#include "detection/component_choice_dialog.h"
#include "detection/details_dialog.h"
#include "detection/no_match_dialog.h"
#include "ui/window_placement.h"

namespace tvx {
namespace {

constexpr int kTitle = 170;
constexpr int kLabelText = 171;
constexpr int kOkLabel = 175;
constexpr int kCancelLabel = 176;
constexpr int kDetailsLabel = 191;
constexpr int kOthersLabel = 194;
constexpr int kTestsLabel = 195;
constexpr std::intptr_t kNoConfiguration = -1;

}  // namespace

void ConfigChoiceDialog::OnInit(DialogView& view) {
  view.SetTitle(matcher_.Text(kTitle));
  view.SetText(kLabel, matcher_.Text(kLabelText));
  view.SetText(kOkCommand, matcher_.Text(kOkLabel));
  view.SetText(kCancelCommand, matcher_.Text(kCancelLabel));
  view.SetText(kDetails, matcher_.Text(kDetailsLabel));
  view.SetText(kOthers, matcher_.Text(kOthersLabel));
  view.SetText(kTests, matcher_.Text(kTestsLabel));
  CenterOnScreen(view);
  FillList(view);
}

bool ConfigChoiceDialog::Listed(const Configuration& configuration) const {
  return configuration.selectable && !configuration.playable;
}

void ConfigChoiceDialog::AddItem(DialogView& view, Configuration& configuration) {
  view.ListAdd(kList, matcher_.SizedName(configuration), matcher_.IndexOf(&configuration));
}

void ConfigChoiceDialog::FillList(DialogView& view) {
  const int remembered = view.ListSelection(kList);
  view.ListClear(kList);
  first_type_.reset();
  bool more = false;
  const bool by_type = matcher_.environment().script_state.use_type_config;
  for (Configuration& configuration : matcher_.configurations()) {
    if (!Listed(configuration)) continue;
    if (!first_type_) first_type_ = configuration.type;
    if (by_type && configuration.type != *first_type_) {
      more = true;
      continue;
    }
    AddItem(view, configuration);
  }
  if (by_type && more) view.ListAdd(kList, kMoreItem, kNoConfiguration);
  const int count = view.ListCount(kList);
  if (count == 0) {
    selection_ = nullptr;
    view.End(kCancelCommand);
    return;
  }
  const bool still_there = remembered >= 0 && remembered < count &&
                           view.ListData(kList, remembered) == matcher_.IndexOf(selection_);
  Select(view, still_there ? remembered : 0);
}

void ConfigChoiceDialog::Select(DialogView& view, int index) {
  view.ListSelect(kList, index);
  OnSelChange(view, kList);
}

void ConfigChoiceDialog::OnSelChange(DialogView& view, int id) {
  if (id != kList) return;
  const int index = view.ListSelection(kList);
  const std::intptr_t data = index >= 0 ? view.ListData(kList, index) : kNoConfiguration;
  auto& all = matcher_.configurations();
  selection_ = data >= 0 && static_cast<std::size_t>(data) < all.size() ? &all[static_cast<std::size_t>(data)]
                                                                        : nullptr;
  view.Enable(kTests, selection_ && !selection_->software.empty());
}

void ConfigChoiceDialog::OnDoubleClick(DialogView& view, int id) {
  if (id != kList) return;
  const int index = view.ListSelection(kList);
  if (index < 0) return;
  OnSelChange(view, kList);
  if (selection_) {
    view.End(kOkCommand);
  } else {
    ShowOtherTypes(view, index);
  }
}

void ConfigChoiceDialog::ShowOtherTypes(DialogView& view, int more_index) {
  view.ListDelete(kList, more_index);
  for (Configuration& configuration : matcher_.configurations())
    if (Listed(configuration) && first_type_ && configuration.type != *first_type_)
      AddItem(view, configuration);
  // The highlighted item is the selection, as when the dialog opened.
  Select(view, 0);
}

void ConfigChoiceDialog::OnCommand(DialogView& view, int id) {
  Ui& ui = matcher_.environment().platform.ui;
  switch (id) {
    case kOkCommand:
      Confirm(view);
      break;
    case kCancelCommand:
      view.End(kCancelCommand);
      break;
    case kDetails:
      if (selection_) DetailsDialog(matcher_, *selection_, [this, &view] { FillList(view); }).Run(ui);
      break;
    case kOthers:
      ExplainOthers(view);
      break;
    case kTests:
      if (selection_) ComponentChoiceDialog(matcher_, selection_->software).Run(ui);
      break;
    default:
      break;
  }
}

void ConfigChoiceDialog::Confirm(DialogView& view) {
  if (!selection_) {
    view.AskMessageBox(kNoConfigurationSelectedText, kNoConfigurationSelectedCaption, box::kIconExclamation);
    return;
  }
  if (view.ReturnKeyDown()) matcher_.environment().ui_state.return_key_armed = false;
  view.End(kOkCommand);
}

void ConfigChoiceDialog::ExplainOthers(DialogView& view) {
  const int remembered = view.ListSelection(kList);
  NoMatchDialog(matcher_).Run(matcher_.environment().platform.ui);
  matcher_.set_credit(0);
  if (matcher_.installed()) matcher_.ComputeCredit();
  RefreshFreeSpace(matcher_.environment().platform.files, matcher_.drives());
  matcher_.MatchConfigurations();
  FillList(view);
  if (view.ListCount(kList) > 0 && remembered >= 0 && remembered < view.ListCount(kList))
    Select(view, remembered);
}

}  // namespace tvx
