#include "shell/silent_ui.h"

#include <array>

#include "detection/auto_config_dialog.h"
#include "detection/config_choice_dialog.h"
#include "install/destination_dialog.h"
#include "platform/dialog_model.h"
#include "platform/modeless_dialog.h"
#include "shell/dialog_steering.h"
#include "ui/language_choice_dialog.h"

namespace tvx {
namespace {

constexpr std::array<const char*, 8> kButtonNames = {"?",       "IDOK",     "IDCANCEL", "IDABORT",
                                                     "IDRETRY", "IDIGNORE", "IDYES",    "IDNO"};

const char* NameOfButton(int button) {
  return button > 0 && button < static_cast<int>(kButtonNames.size()) ? kButtonNames[button] : "?";
}

class SilentModeless : public ModelessDialog {
 public:
  explicit SilentModeless(Ui& ui) : view_(ui) {}
  DialogView& view() override { return view_; }

 private:
  HeadlessDialogView view_;
};

}  // namespace

std::string OneLogLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n')
      line += "\\n";
    else if (c != '\r')
      line += c;
  }
  return line;
}

int DefaultButtonOf(std::uint32_t style) {
  const std::vector<int> buttons = ButtonsOfStyle(style);
  const std::size_t index = (style & box::kDefaultButtonMask) >> 8;
  return index < buttons.size() ? buttons[index] : buttons[0];
}

int SilentUi::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style, BoxOwner) {
  const int answer = DefaultButtonOf(style);
  Log("message box \"" + OneLogLine(caption) + "\": " + OneLogLine(text) + " -> " + NameOfButton(answer));
  return answer;
}

int SilentUi::RunDialog(DialogModel& model) {
  HeadlessDialogView view(*this);
  model.OnInit(view);
  std::string how = "at its start";
  if (!view.ended()) {
    model.OnPaint(view);
    how = Steer(model, view) ? "as the options said" : "by default";
    if (!view.ended()) EndByDefault(model, view);
  }
  Log("dialog " + std::to_string(model.TemplateId()) + " \"" + OneLogLine(view.Title()) + "\" ended " + how +
      " with " + std::to_string(view.end_code()));
  return view.end_code();
}

int SilentUi::RunMainWindow(DialogModel& model) {
  HeadlessDialogView view(*this);
  model.OnInit(view);
  if (!view.ended() && choices_.main_window_action) choices_.main_window_action(model, view);
  if (!view.ended()) model.OnCommand(view, DialogModel::kCancelCommand);
  if (!view.ended()) view.End(DialogModel::kCancelCommand);
  return view.end_code();
}

std::unique_ptr<ModelessDialog> SilentUi::OpenModeless(DialogModel& model, BoxOwner) {
  auto window = std::make_unique<SilentModeless>(*this);
  model.OnInit(window->view());
  return window;
}

bool SilentUi::Steer(DialogModel& model, HeadlessDialogView& view) {
  switch (model.TemplateId()) {
    case LanguageChoiceDialog::kTemplate:
      return ChooseLanguage(model, view);
    case AutoConfigDialog::kTemplate:
    case ConfigChoiceDialog::kTemplate:
      return ChooseConfiguration(model, view);
    case DestinationDialog::kTemplate:
      return TypeDirectory(model, view);
    default:
      return false;
  }
}

bool SilentUi::ChooseLanguage(DialogModel& model, DialogView& view) {
  if (!choices_.language) return false;
  const auto index = choices_.find_language ? choices_.find_language(*choices_.language) : std::nullopt;
  if (!index ||
      !SelectItemByData(model, view, LanguageChoiceDialog::kList, static_cast<std::intptr_t>(*index))) {
    language_unavailable_ = true;
    model.OnCommand(view, DialogModel::kCancelCommand);
    return true;
  }
  model.OnCommand(view, DialogModel::kOkCommand);
  return true;
}

bool SilentUi::ChooseConfiguration(DialogModel& model, DialogView& view) {
  if (!choices_.configuration) return false;
  if (model.TemplateId() == AutoConfigDialog::kTemplate) {
    LeaveProposal(model, view);
    return true;
  }
  const auto index =
      choices_.find_configuration ? choices_.find_configuration(*choices_.configuration) : std::nullopt;
  if (index) {
    configuration_unavailable_ = !ChooseConfigurationAt(model, view, *index);
  } else {
    configuration_unavailable_ = true;
    model.OnCommand(view, DialogModel::kCancelCommand);
  }
  return true;
}

// A refused directory is told in a box and the dialog stays: the run must
// not go on into a folder the options did not name.
bool SilentUi::TypeDirectory(DialogModel& model, HeadlessDialogView& view) {
  if (!choices_.directory) return false;
  view.SetText(DestinationDialog::kPathEdit, *choices_.directory);
  model.OnCommand(view, DialogModel::kOkCommand);
  if (view.ended()) return true;
  directory_refused_ = true;
  model.OnCommand(view, DialogModel::kCancelCommand);
  return true;
}

// The default button, then Escape; a dialog that refuses both is closed.
void SilentUi::EndByDefault(DialogModel& model, HeadlessDialogView& view) {
  model.OnCommand(view, DialogModel::kOkCommand);
  if (!view.ended()) model.OnCommand(view, DialogModel::kCancelCommand);
  if (!view.ended()) view.End(DialogModel::kCancelCommand);
}

}  // namespace tvx
