// tvx_dialog_demo: shows one of the program's dialogs with the real
// backend and its resources, for end-to-end checks under Wine.
//   tvx_dialog_demo question|notice TEXT CAPTION   prints "answer=N"
//   tvx_dialog_demo language                       prints "answer=N selected=I product=FILE"
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "ui/language_choice_dialog.h"
#include "ui/question_dialog.h"

namespace {

std::string Label(int number) {
  switch (number) {
    case 283:
      return "Yes";
    case 284:
      return "No";
    case 292:
      return "Close";
    default:
      return "?";
  }
}

int Language(tvx::win32::Win32Platform& platform) {
  // French first: an English system must move the selection to entry 1.
  const std::vector<std::string> keys{"French", "English", "German"};
  const std::vector<std::string> labels{"Francais", "English", "Deutsch"};
  const std::vector<std::string> common{"strings.fra", "strings.eng", "strings.deu"};
  const std::vector<std::string> product{"zephra.fra", "zephra.eng", "zephra.deu"};
  tvx::UiProcessState state;
  tvx::LanguageChoiceDialog dialog({keys, labels, common, product},
                                   platform.platform().system.UserLanguageName(), state);
  const int answer = platform.platform().ui.RunDialog(dialog);
  std::printf("answer=%d selected=%d product=%s\n", answer, dialog.selected(), dialog.product_file().c_str());
  return answer;
}

}  // namespace

int main(int argc, char** argv) {
  tvx::win32::Win32Platform platform;
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "language") return Language(platform);
  if ((what == "question" || what == "notice") && argc > 3) {
    tvx::QuestionDialog question(argv[2], argv[3], what == "question", Label);
    const int answer = question.Ask(platform.platform().ui);
    std::printf("answer=%d\n", answer);
    return answer;
  }
  std::puts("usage: tvx_dialog_demo question|notice TEXT CAPTION | language");
  return 2;
}
