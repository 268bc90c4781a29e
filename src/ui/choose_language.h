// Settling the product's language before an installation: the recorded
// one, the only one, or the user's choice.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/ui.h"
#include "ui/language_choice_dialog.h"

namespace tvx {

struct LanguageChoice {
  std::string key;
  std::string label;
};

struct LanguageContext {
  Ui& ui;
  UiProcessState& ui_state;
  // The user's language name in English, as the system gives it.
  std::string system_language;
  // Loads the localized strings from the two files; false when they could not be read.
  std::function<bool(const std::string& common_file, const std::string& product_file)> load_strings;
};

// recorded_language is the installed product's language, or null when the
// product is not installed; an unknown one is replaced by the first key.
// On success current_language becomes the chosen key.
bool ChooseLanguage(LanguageContext& context, LanguageLists lists, std::string* recorded_language,
                    LanguageChoice& choice, std::string& current_language);

}  // namespace tvx
