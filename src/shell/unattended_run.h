// A run started with the unattended options: the platform's interface is
// replaced by a silent one, the panel's Install is pressed for it, and the
// exit code tells how the run ended.
#pragma once

#include <optional>
#include <string>

#include "shell/front_panel.h"
#include "shell/silent_ui.h"
#include "shell/unattended_options.h"

namespace tvx {

// Exit codes of a silent run beyond start-up's own (0 went on, 1 system
// refused, 2 another setup runs, 3 start-up stopped), which keep theirs.
namespace unattended_exit {
inline constexpr int kDone = 0;
inline constexpr int kBadOption = 10;                 // an option malformed or given twice
inline constexpr int kCancelled = 11;                 // a question's default answer stopped the run
inline constexpr int kNothingFits = 12;               // no configuration fits the machine, or no room
inline constexpr int kConfigurationUnavailable = 13;  // not in the script, or not offered here
inline constexpr int kLanguageUnavailable = 14;       // not in the script, or not the installed one
inline constexpr int kDirectoryRefused = 15;
inline constexpr int kRolledBack = 16;     // a step after the copy began failed: undone
inline constexpr int kNotInstalled = 17;   // nothing to play or uninstall
inline constexpr int kPlayFailed = 18;     // the game could not be started
inline constexpr int kRestartNeeded = 19;  // done; Windows must restart to finish
inline constexpr int kDiscMissing = 20;    // the source disc was not found
inline constexpr int kLogNotWritten = 21;  // done, but the log could not be written
}  // namespace unattended_exit

const char* UnattendedExitName(int code);

class SilentRun {
 public:
  // line holds /SILENT, or an option that could not be read.
  SilentRun(Platform& platform, const UnattendedCommandLine& line);

  // The platform with the silent interface, for the session.
  Platform& platform() { return platform_; }
  // The option error, when the run must not start; logged.
  std::optional<int> Refusal();
  // Binds the options to the script once start-up has loaded it, and the
  // panel's Install to the main window.
  void Attach(FrontPanel& panel, Session& session);
  // Logs the end and answers the exit code.
  int Finish(FrontPanel& panel, Session& session);

 private:
  std::optional<int> ChoicesRefused(FrontPanel& panel, Session& session);
  void PressInstall(FrontPanel& panel, Session& session, DialogModel& model, DialogView& view);
  int Outcome(FrontPanel& panel, Session& session);
  int InstallOutcomeCode(FrontPanel& panel, Session& session);
  int NotStartedCode(InstallStop stop);
  // 0 when the installation is the one the options named, else the code.
  int ChoicesBroken(FrontPanel& panel);
  void Log(const std::string& line);

  Platform& outer_;
  UnattendedCommandLine line_;
  SilentUi ui_;
  Platform platform_;
  std::optional<int> stopped_;  // the run stopped before Install
  bool log_failed_ = false;
};

}  // namespace tvx
