#include "install/after_install.h"

#include "install/start_failure.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "ui/question_dialog.h"

namespace tvx {
namespace {

constexpr int kStartFailedCaption = 260;
constexpr int kReadmeCaption = 390;
constexpr int kReadmeQuestion = 391;

std::string WithNameFor(std::string text, std::string_view name) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

}  // namespace

void LaunchAfterInstall(PostInstallContext& context) {
  if (!context.configuration.launch) return;
  Platform& platform = context.platform;
  std::string folder = ProgramDirectory(platform.files);
  // "D:" alone would mean the current folder of D:, not its root.
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  platform.files.ChangeDirectory(folder);
  const std::string command = context.source_directory + "\\" + context.configuration.launch_command;
  const std::uint32_t result = platform.shell.StartProgram(command, kShowDefault);
  if (result > kLastStartError) return;
  if (const int number = StartFailureString(result))
    platform.ui.ShowMessageBox(context.text(number), context.text(kStartFailedCaption), box::kIconHand);
}

void OfferReadme(PostInstallContext& context, std::size_t language_index) {
  const auto& readmes = context.script.languages.fifth_fields;
  if (language_index >= readmes.size() || readmes[language_index].empty()) return;
  const std::string& name = readmes[language_index];
  QuestionDialog question(WithNameFor(context.text(kReadmeQuestion), AfterLastBackslash(name)),
                          context.text(kReadmeCaption), true, context.text);
  if (question.Ask(context.platform.ui) != box::kIdYes) return;
  const std::string path = name.front() == '\\' ? name : context.source_directory + "\\" + name;
  if (!context.platform.files.Open(path, OpenMode::Read).file) return;
  context.platform.shell.StartProgram("Notepad.exe " + path, kShowDefault);
}

}  // namespace tvx
