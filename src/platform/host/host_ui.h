// Message boxes of a simulated machine: written to a transcript and
// answered from an answer script, a terminal prompt, or by default.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_model.h"
#include "platform/host/answer_script.h"
#include "platform/host/machine_faults.h"
#include "platform/host/recording_dialog_view.h"
#include "platform/host/terminal_progress.h"
#include "platform/indexed_surface.h"
#include "platform/modeless_dialog.h"
#include "platform/ui.h"

namespace tvx::host {

class HostUi : public Ui {
 public:
  struct Options {
    std::filesystem::path transcript;     // appended to; empty: no transcript
    std::optional<AnswerScript> answers;  // without: default buttons
    std::ostream* echo = nullptr;         // each transcript line also goes here
    std::istream* prompt = nullptr;       // with: ask on the terminal
    // Dialogs (by template) whose client area is written as a PNG once it
    // is first painted.
    std::map<int, std::filesystem::path> snapshots;
    // Long work's progress line goes here (a terminal); null: none.
    std::ostream* progress = nullptr;
  };
  // What the machine cannot do (write the transcript or a picture) goes to
  // faults.
  HostUi(Options options, MachineFaults& faults);

  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;

  // Dialogs run on their templates, driven by the answer script's dialog
  // lines; without one, the default button is pressed (then Cancel).
  int RunDialog(DialogModel& model) override;
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override;
  Surface& surface() override { return surface_; }
  // The answer script's next line, when it is for an open modeless window,
  // is that window's one message; a key it gives counts as pressed once.
  bool DispatchOneMessage() override;
  bool KeyPressed(int virtual_key) override;
  void ReportProgress(std::string_view item, int percent) override;
  void EndProgress() override;

  void SetScreen(Size screen) { screen_ = screen; }
  void SetColourBits(int bits) { colour_bits_ = bits; }

  // One modal run: what the dialog showed when it opened, and its last state.
  struct DialogRun {
    DialogState shown;
    std::shared_ptr<RecordingDialogView> view;
  };
  const std::vector<DialogRun>& dialogs() const { return dialogs_; }
  // Modeless windows, open or closed, in the order they were opened.
  const std::vector<std::shared_ptr<RecordingDialogView>>& windows() const { return windows_; }

  // Answers that did not match their box, and answers left unused.
  std::vector<std::string> AnswerProblems() const;

 private:
  struct Choice {
    int button;
    std::string source;
  };
  Choice Choose(std::string_view text, std::string_view caption, std::uint32_t style);
  std::shared_ptr<RecordingDialogView> MakeView(int template_id);
  // Drives a running dialog until it ends; answers where the ending came from.
  std::string Drive(DialogModel& model, RecordingDialogView& view, std::vector<std::string>& actions);
  bool Apply(DialogModel& model, RecordingDialogView& view, const DialogAction& action);
  void EndByDefault(DialogModel& model, RecordingDialogView& view, std::vector<std::string>& actions);
  bool ApplyToButton(RecordingDialogView& view, const DialogAction& action);
  bool ApplyToTree(RecordingDialogView& view, const DialogAction& action);
  void Snapshot(const RecordingDialogView& view);
  std::optional<int> Prompt(std::uint32_t style);
  void Write(const std::string& line);

  Options options_;
  MachineFaults& faults_;
  std::vector<std::string> problems_;
  Size screen_{800, 600};
  int colour_bits_ = 8;
  IndexedSurface surface_;
  std::vector<DialogRun> dialogs_;
  std::vector<std::shared_ptr<RecordingDialogView>> windows_;
  struct OpenWindow {
    DialogModel* model;
    RecordingDialogView* view;
  };
  std::vector<OpenWindow> open_windows_;
  std::vector<int> pressed_keys_;
  std::unique_ptr<TerminalProgress> progress_;
};

// Escapes a text for one transcript line: \n, \r, \t, \", \\ and \xNN.
std::string TranscriptText(std::string_view text);
// One transcript line for a dialog's state: caption and every control.
std::string DescribeDialog(const DialogState& state);

}  // namespace tvx::host
