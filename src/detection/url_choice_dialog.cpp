#include "detection/url_choice_dialog.h"

namespace tvx {
namespace {

constexpr int kTitle = 430;

}  // namespace

void UrlChoiceDialog::OnInit(DialogView& view) {
  view.SetTitle(strings_(kTitle));
  for (std::size_t i = 0; i < addresses_.size(); ++i)
    view.ListAdd(kList, addresses_[i] + " ", static_cast<std::intptr_t>(i));
  if (view.ListCount(kList) == 0) {
    view.End(kCancelCommand);
    return;
  }
  view.ListSelect(kList, 0);
}

const std::string* UrlChoiceDialog::Selected(DialogView& view) const {
  const int index = view.ListSelection(kList);
  const std::intptr_t data = index >= 0 ? view.ListData(kList, index) : -1;
  return data >= 0 && static_cast<std::size_t>(data) < addresses_.size()
             ? &addresses_[static_cast<std::size_t>(data)]
             : nullptr;
}

void UrlChoiceDialog::OnDoubleClick(DialogView& view, int id) {
  if (id != kList) return;
  // The address double-clicked is the one chosen, as with OK.
  if (const std::string* address = Selected(view)) {
    chosen_ = *address;
    view.End(kOkCommand);
  }
}

void UrlChoiceDialog::OnCommand(DialogView& view, int id) {
  if (id == kCancelCommand) {
    view.End(kCancelCommand);
    return;
  }
  if (id != kOkCommand) return;
  chosen_.clear();
  const std::string* address = Selected(view);
  if (!address) {
    view.AskMessageBox(kNoUrlSelectedText, kNoUrlSelectedCaption, box::kIconExclamation);
    return;
  }
  chosen_ = *address;
  if (view.ReturnKeyDown()) ui_state_.return_key_armed = false;
  view.End(kOkCommand);
}

}  // namespace tvx
