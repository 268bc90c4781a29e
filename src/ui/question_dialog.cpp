#include "ui/question_dialog.h"

#include "ui/window_placement.h"

namespace tvx {
namespace {

constexpr int kYesLabel = 283;
constexpr int kNoLabel = 284;
constexpr int kOnlyLabel = 292;

}  // namespace

QuestionDialog::QuestionDialog(std::string text, std::string caption, bool two_buttons, TextLookup strings)
    : text_(std::move(text)),
      caption_(std::move(caption)),
      two_buttons_(two_buttons),
      strings_(std::move(strings)) {}

int QuestionDialog::Ask(Ui& ui) {
  // A question that could not be shown was not answered yes.
  return ui.RunDialog(*this) == box::kIdYes ? box::kIdYes : box::kIdNo;
}

void QuestionDialog::OnInit(DialogView& view) {
  view.SetTitle(caption_);
  view.SetText(kTextControl, text_);
  if (two_buttons_) {
    view.SetText(kOkCommand, strings_(kYesLabel));
    view.SetText(kCancelCommand, strings_(kNoLabel));
  } else {
    view.SetText(kOkCommand, strings_(kOnlyLabel));
    view.Show(kCancelCommand, false);
    CentreTheOnlyButton(view);
  }
  CenterOnScreen(view);
}

void QuestionDialog::CentreTheOnlyButton(DialogView& view) {
  // Placed from the dialog's outer edges, less the menu height: the
  // rule the dialog has always used.
  const Rect dialog = view.WindowRect();
  const Rect button = view.ControlRect(kOkCommand);
  const int left = (dialog.width() - button.width()) / 2;
  const int top = button.top - dialog.top - view.Metric(SystemMetric::MenuHeight);
  view.MoveControl(kOkCommand, RectAt(left, top, button.width(), button.height()));
}

void QuestionDialog::OnCommand(DialogView& view, int id) {
  if (id == kOkCommand) view.End(box::kIdYes);
  if (id == kCancelCommand) view.End(box::kIdNo);
}

}  // namespace tvx
