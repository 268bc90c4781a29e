#include "detection/auto_config_dialog.h"

#include "ui/window_placement.h"

namespace tvx {
namespace {

constexpr int kTitle = 170;
constexpr int kLabelText = 213;
constexpr int kInstallLabel = 211;
constexpr int kChangeLabel = 212;
constexpr int kCancelLabel = 176;

}  // namespace

AutoConfigDialog::AutoConfigDialog(ConfigurationMatcher& matcher, Configuration& proposed,
                                   bool change_allowed)
    : matcher_(matcher), change_allowed_(change_allowed), text_(matcher.SizedName(proposed)) {}

void AutoConfigDialog::OnInit(DialogView& view) {
  view.SetTitle(matcher_.Text(kTitle));
  view.SetText(kLabel, matcher_.Text(kLabelText));
  view.SetText(kProposal, text_);
  view.SetText(kInstall, matcher_.Text(kInstallLabel));
  view.SetText(kChange, matcher_.Text(kChangeLabel));
  view.Enable(kChange, change_allowed_);
  view.SetText(kCancelCommand, matcher_.Text(kCancelLabel));
  CenterOnScreen(view);
}

void AutoConfigDialog::OnCommand(DialogView& view, int id) {
  // Return reaches the default button as OK: install.
  if (id == kInstall || id == kOkCommand) view.End(kOkCommand);
  if (id == kChange && change_allowed_) view.End(kChange);
  if (id == kCancelCommand) view.End(kCancelCommand);
}

}  // namespace tvx
