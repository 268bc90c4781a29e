#include "install/restart_offer.h"

#include "install/play_entry.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "ui/question_dialog.h"

namespace tvx {
namespace {

constexpr int kRestartCaption = 240;
constexpr int kRestartQuestion = 400;

// This program's file name without its extension.
std::string_view ModuleName(std::string_view module_path) {
  const std::string_view file = AfterLastBackslash(module_path);
  const std::size_t dot = file.rfind('.');
  return dot == std::string_view::npos ? file : file.substr(0, dot);
}

}  // namespace

void OfferRestart(Platform& platform, TextLookup text, std::string_view product_name,
                  std::string_view localized_application_name) {
  // The question names the application where the Play action's does.
  std::string question_text = text(kRestartQuestion);
  const std::size_t at = question_text.find("%s");
  if (at != std::string::npos) question_text.replace(at, 2, localized_application_name);
  QuestionDialog question(question_text, text(kRestartCaption) + std::string(localized_application_name),
                          true, text);
  if (question.Ask(platform.ui) != box::kIdYes) return;
  const std::string common = WindowsDirectory(platform.files) + "\\Tarvex";
  const std::string module = platform.files.ModulePath();
  CreatePlayEntry(platform, product_name, common, std::string(ModuleName(module)) + ".exe");
  platform.shell.RequestRestart();
}

}  // namespace tvx
