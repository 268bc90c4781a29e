#include "ui/choose_language.h"

#include <algorithm>

namespace tvx {
namespace {

// Which entry to take: the recorded one, the only one, or the dialog's;
// -1 when the user cancelled.
int EntryToTake(LanguageContext& context, LanguageLists lists, std::string* recorded_language) {
  if (recorded_language) {
    const auto end = lists.keys.begin() + static_cast<std::ptrdiff_t>(lists.size());
    const auto found = std::find(lists.keys.begin(), end, *recorded_language);
    if (found != end) return static_cast<int>(found - lists.keys.begin());
    *recorded_language = lists.keys[0];
    return 0;
  }
  if (lists.size() < 2) return 0;
  LanguageChoiceDialog dialog(lists, context.system_language, context.ui_state);
  if (context.ui.RunDialog(dialog) != DialogModel::kOkCommand) return -1;
  return dialog.selected();
}

}  // namespace

bool ChooseLanguage(LanguageContext& context, LanguageLists lists, std::string* recorded_language,
                    LanguageChoice& choice, std::string& current_language) {
  // A script without languages has no entry 0 to fall back on.
  if (lists.size() == 0) return false;
  const int index = EntryToTake(context, lists, recorded_language);
  if (index < 0) return false;
  choice = {lists.keys[index], lists.labels[index]};
  const bool loaded = context.load_strings(lists.common_files[index], lists.product_files[index]);
  current_language = choice.key;
  return loaded;
}

}  // namespace tvx
