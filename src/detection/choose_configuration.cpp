#include "detection/choose_configuration.h"

#include "detection/auto_config_dialog.h"
#include "detection/config_choice_dialog.h"
#include "detection/no_match_dialog.h"
#include "ui/question_dialog.h"

namespace tvx {
namespace {

constexpr int kQuestionCaption = 220;
constexpr int kQuestionFirstLine = 221;
constexpr int kQuestionSecondLine = 222;

}  // namespace

bool ChooseConfiguration(ConfigurationMatcher& matcher) {
  Configuration* proposed = matcher.proposed();
  // Nothing was ever proposed: there is nothing to install.
  if (!proposed) return false;
  if (matcher.environment().script.sequence_auto) {
    matcher.set_chosen(proposed);
    return true;
  }
  Ui& ui = matcher.environment().platform.ui;
  const bool change_allowed = matcher.configurations().size() > 1;
  const int answer = AutoConfigDialog(matcher, *proposed, change_allowed).Run(ui);
  if (answer == DialogModel::kOkCommand) {
    matcher.set_chosen(proposed);
    return true;
  }
  if (answer != AutoConfigDialog::kChange) {
    matcher.set_chosen(nullptr);
    return false;
  }
  ConfigChoiceDialog choice(matcher);
  if (choice.Run(ui) != DialogModel::kOkCommand) return false;
  if (choice.selection()) matcher.set_chosen(choice.selection());
  return true;
}

void AskAboutNoMatch(ConfigurationMatcher& matcher) {
  Ui& ui = matcher.environment().platform.ui;
  const std::string text = matcher.Text(kQuestionFirstLine) + "\n" + matcher.Text(kQuestionSecondLine);
  QuestionDialog question(text, matcher.Text(kQuestionCaption), true,
                          [&matcher](int number) { return matcher.Text(number); });
  if (question.Ask(ui) == box::kIdYes) NoMatchDialog(matcher).Run(ui);
  matcher.environment().ui_state.return_key_armed = false;
  matcher.MatchConfigurations();
}

}  // namespace tvx
