#include "ui/language_choice_dialog.h"

#include <algorithm>

#include "ui/window_placement.h"

namespace tvx {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

}  // namespace

std::size_t LanguageLists::size() const {
  return std::min({keys.size(), labels.size(), common_files.size(), product_files.size()});
}

int LanguageOfSystem(LanguageLists lists, std::string_view system_language) {
  const std::string system = Lower(system_language);
  int found = 0;
  for (std::size_t i = 0; i < lists.size(); ++i)
    if (system.find(Lower(lists.keys[i])) != std::string::npos) found = static_cast<int>(i);
  return found;
}

LanguageChoiceDialog::LanguageChoiceDialog(LanguageLists lists, std::string system_language,
                                           UiProcessState& state)
    : lists_(lists), system_language_(std::move(system_language)), state_(state) {}

void LanguageChoiceDialog::OnInit(DialogView& view) {
  for (std::size_t i = 0; i < lists_.size(); ++i)
    view.ListAdd(kList, lists_.labels[i], static_cast<std::intptr_t>(i));
  const int index = LanguageOfSystem(lists_, system_language_);
  view.ListSelect(kList, index);
  Record(index);
  CenterOnScreen(view);
}

void LanguageChoiceDialog::OnSelChange(DialogView& view, int id) {
  // A list without a selection keeps the entry recorded last.
  const int index = id == kList ? view.ListSelection(kList) : -1;
  if (index >= 0) Record(index);
}

void LanguageChoiceDialog::OnCommand(DialogView& view, int id) {
  if (id == kOkCommand) {
    if (view.ReturnKeyDown()) state_.return_key_armed = false;
    view.End(kOkCommand);
  } else if (id == kCancelCommand) {
    view.End(kCancelCommand);
  }
}

void LanguageChoiceDialog::Record(int index) {
  if (static_cast<std::size_t>(index) >= lists_.size()) return;
  selected_ = index;
  common_file_ = lists_.common_files[index];
  product_file_ = lists_.product_files[index];
}

}  // namespace tvx
