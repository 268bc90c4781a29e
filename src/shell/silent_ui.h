// The user interface of a silent run: no window shows. Message boxes take
// their default button, dialogs run without a window and take their
// default or the option given for them, and each is written to the log.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/headless_dialog_view.h"
#include "platform/ui.h"

namespace tvx {

struct SilentChoices {
  std::optional<std::string> language;       // a key of the script's languages
  std::optional<std::string> configuration;  // an index from 0, or a name
  std::optional<std::string> directory;
  // Where a key or a configuration is in the script; null when it is not.
  std::function<std::optional<std::size_t>(std::string_view)> find_language;
  std::function<std::optional<std::size_t>(std::string_view)> find_configuration;
  // What happens on the main window once it is up.
  std::function<void(DialogModel&, DialogView&)> main_window_action;
};

class SilentUi : public Ui {
 public:
  using LogLine = std::function<void(const std::string&)>;
  // progress: where long work's progress goes on (a terminal), or null.
  SilentUi(SilentChoices choices, LogLine log, Ui* progress = nullptr)
      : choices_(std::move(choices)), log_(std::move(log)), progress_(progress) {}

  void set_main_window_action(std::function<void(DialogModel&, DialogView&)> action) {
    choices_.main_window_action = std::move(action);
  }
  SilentChoices& choices() { return choices_; }

  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  int RunDialog(DialogModel& model) override;
  int RunMainWindow(DialogModel& model) override;
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override;
  void ReportProgress(std::string_view item, int percent) override {
    if (progress_) progress_->ReportProgress(item, percent);
  }
  void EndProgress() override {
    if (progress_) progress_->EndProgress();
  }

  // A choice given that the dialog asking for it could not take.
  bool language_unavailable() const { return language_unavailable_; }
  bool configuration_unavailable() const { return configuration_unavailable_; }
  bool directory_refused() const { return directory_refused_; }

 private:
  // Makes the given choice in a dialog that asks for one; false when the
  // dialog asks for none that was given.
  bool Steer(DialogModel& model, HeadlessDialogView& view);
  bool ChooseLanguage(DialogModel& model, DialogView& view);
  bool ChooseConfiguration(DialogModel& model, DialogView& view);
  bool TypeDirectory(DialogModel& model, HeadlessDialogView& view);
  void EndByDefault(DialogModel& model, HeadlessDialogView& view);
  void Log(const std::string& line) {
    if (log_) log_(line);
  }

  SilentChoices choices_;
  LogLine log_;
  Ui* progress_;
  bool language_unavailable_ = false;
  bool configuration_unavailable_ = false;
  bool directory_refused_ = false;
};

// A text on one log line: line ends written \n.
std::string OneLogLine(std::string_view text);
// The default button of a message box of this style (box::kId*).
int DefaultButtonOf(std::uint32_t style);

}  // namespace tvx
