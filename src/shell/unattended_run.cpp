#include "shell/unattended_run.h"

#include <algorithm>

#include "platform/path_text.h"
#include "shell/application.h"

namespace tvx {
namespace {

std::optional<std::size_t> FindLanguage(const InstallScript& script, std::string_view key) {
  const std::vector<std::string>& keys = script.languages.keys;
  const auto found = std::find_if(keys.begin(), keys.end(),
                                  [&](const std::string& each) { return EqualsNoCase(each, key); });
  if (found == keys.end()) return std::nullopt;
  return static_cast<std::size_t>(found - keys.begin());
}

// An index from 0 in the script, or a configuration's name.
std::optional<std::size_t> FindConfiguration(const InstallScript& script, std::string_view text) {
  const std::size_t count = script.configurations.size();
  if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::size_t index = 0;
    for (char c : text) {
      index = index * 10 + static_cast<std::size_t>(c - '0');
      if (index >= count) return std::nullopt;
    }
    return index;
  }
  for (std::size_t i = 0; i < count; ++i)
    if (EqualsNoCase(script.configurations[i].name, text)) return i;
  return std::nullopt;
}

std::string WithBackslash(std::string path) {
  if (!path.empty() && !EndsWithBackslash(path)) path += '\\';
  return path;
}

int PlayCode(PlayOutcome outcome) {
  switch (outcome) {
    case PlayOutcome::Started:
      return unattended_exit::kDone;
    case PlayOutcome::NothingToPlay:
      return unattended_exit::kNotInstalled;
    case PlayOutcome::ConfigurationUnusable:
      return unattended_exit::kNothingFits;
    case PlayOutcome::RestartAccepted:
      return unattended_exit::kRestartNeeded;
    case PlayOutcome::NotReady:
    case PlayOutcome::RestartDeclined:
    case PlayOutcome::NotEnoughMemory:
    case PlayOutcome::StartFailed:
      break;
  }
  return unattended_exit::kPlayFailed;
}

int UninstallCode(const std::optional<UninstallResult>& result) {
  if (!result || *result == UninstallResult::NothingInstalled) return unattended_exit::kNotInstalled;
  return *result == UninstallResult::Removed ? unattended_exit::kDone : unattended_exit::kCancelled;
}

}  // namespace

const char* UnattendedExitName(int code) {
  switch (code) {
    case unattended_exit::kDone:
      return "done";
    case 1:
      return "system refused";
    case 2:
      return "another setup is running";
    case 3:
      return "start-up stopped";
    case unattended_exit::kBadOption:
      return "bad option";
    case unattended_exit::kCancelled:
      return "cancelled";
    case unattended_exit::kNothingFits:
      return "nothing fits";
    case unattended_exit::kConfigurationUnavailable:
      return "configuration unavailable";
    case unattended_exit::kLanguageUnavailable:
      return "language unavailable";
    case unattended_exit::kDirectoryRefused:
      return "directory refused";
    case unattended_exit::kRolledBack:
      return "failed, rolled back";
    case unattended_exit::kNotInstalled:
      return "not installed";
    case unattended_exit::kPlayFailed:
      return "play failed";
    case unattended_exit::kRestartNeeded:
      return "restart needed";
    case unattended_exit::kDiscMissing:
      return "disc missing";
    case unattended_exit::kLogNotWritten:
      return "log not written";
  }
  return "?";
}

SilentRun::SilentRun(Platform& platform, const UnattendedCommandLine& line)
    : outer_(platform),
      line_(line),
      ui_(
          SilentChoices{
              line.options.language, line.options.configuration, line.options.directory, {}, {}, {}},
          [this](const std::string& text) { Log(text); }, &platform.ui),
      platform_{platform.files, platform.registry, platform.system, platform.shell, ui_} {
  Log("silent run: " + OneLogLine(platform.system.CommandLine()));
}

std::optional<int> SilentRun::Refusal() {
  if (line_.error.empty()) return std::nullopt;
  Log("option refused: " + OneLogLine(line_.error));
  Log("end: " + std::to_string(unattended_exit::kBadOption) + " (" +
      UnattendedExitName(unattended_exit::kBadOption) + ")");
  return unattended_exit::kBadOption;
}

void SilentRun::Attach(FrontPanel& panel, Session& session) {
  session.ui_state.unattended = true;
  SilentChoices& choices = ui_.choices();
  choices.find_language = [&panel](std::string_view key) { return FindLanguage(panel.script(), key); };
  choices.find_configuration = [&panel](std::string_view text) {
    return FindConfiguration(panel.script(), text);
  };
  choices.main_window_action = [this, &panel, &session](DialogModel& model, DialogView& view) {
    PressInstall(panel, session, model, view);
  };
}

// Asked-for choices the script cannot give are refused before anything is
// installed.
std::optional<int> SilentRun::ChoicesRefused(FrontPanel& panel, Session& session) {
  const UnattendedOptions& options = line_.options;
  if (options.configuration) {
    const auto wanted = FindConfiguration(panel.script(), *options.configuration);
    if (!wanted) {
      Log("the script has no configuration " + *options.configuration);
      return unattended_exit::kConfigurationUnavailable;
    }
    // Such a script installs its proposal without asking: nothing else can be chosen.
    ConfigurationMatcher& matcher = *panel.matcher();
    if (panel.script().sequence_auto && matcher.IndexOf(matcher.proposed()) != static_cast<int>(*wanted)) {
      Log("the script installs only the configuration it proposes, not " + *options.configuration);
      return unattended_exit::kConfigurationUnavailable;
    }
  }
  if (options.language && !EqualsNoCase(session.script_state.current_language, *options.language)) {
    Log("the language is " + session.script_state.current_language + ", not " + *options.language);
    return unattended_exit::kLanguageUnavailable;
  }
  return std::nullopt;
}

void SilentRun::PressInstall(FrontPanel& panel, Session& session, DialogModel& model, DialogView& view) {
  stopped_ = ChoicesRefused(panel, session);
  if (stopped_) return;
  if (!panel.panel() || !panel.panel()->states().install) {
    Log("the Install button is disabled");
    stopped_ = unattended_exit::kNothingFits;
    return;
  }
  model.OnCommand(view, command::kInstall);
}

int SilentRun::Finish(FrontPanel& panel, Session& session) {
  int code = Outcome(panel, session);
  if (code == unattended_exit::kDone && log_failed_) code = unattended_exit::kLogNotWritten;
  Log("end: " + std::to_string(code) + " (" + UnattendedExitName(code) + ")");
  return code;
}

int SilentRun::Outcome(FrontPanel& panel, Session& session) {
  const StartupResult startup = panel.result();
  if (startup == StartupResult::NoLanguage && ui_.language_unavailable())
    return unattended_exit::kLanguageUnavailable;
  if (startup == StartupResult::NothingToInstallOrPlay) return unattended_exit::kNothingFits;
  if (startup == StartupResult::InstalledConfigurationUnusable) return unattended_exit::kNothingFits;
  // The elevated copy does the run's work: its code is the run's.
  if (startup == StartupResult::RestartedElevated)
    return static_cast<int>(platform_.shell.WaitForElevatedCopy().value_or(ExitCodeOf(startup)));
  if (startup != StartupResult::Continue) return ExitCodeOf(startup);
  const CommandLineSwitches& switches = panel.switches();
  if (switches.open_web_link) return unattended_exit::kDone;
  if (switches.play_mode)
    return panel.play() ? PlayCode(panel.play()->outcome) : unattended_exit::kNotInstalled;
  if (switches.uninstall_mode) return UninstallCode(panel.uninstall());
  if (stopped_) return *stopped_;
  return InstallOutcomeCode(panel, session);
}

int SilentRun::InstallOutcomeCode(FrontPanel& panel, Session& session) {
  const std::optional<InstallReport>& install = panel.install();
  if (!install) return unattended_exit::kCancelled;
  switch (install->outcome) {
    case InstallOutcome::Installed:
      if (const int broken = ChoicesBroken(panel)) return broken;
      return session.detection_state.restart_needed ? unattended_exit::kRestartNeeded
                                                    : unattended_exit::kDone;
    case InstallOutcome::NotStarted:
      return NotStartedCode(install->stop);
    case InstallOutcome::RemovalRefused:
      return unattended_exit::kCancelled;
    case InstallOutcome::RolledBack:
      return unattended_exit::kRolledBack;
  }
  return unattended_exit::kCancelled;
}

int SilentRun::NotStartedCode(InstallStop stop) {
  switch (stop) {
    case InstallStop::NoDisc:
      return unattended_exit::kDiscMissing;
    case InstallStop::NoRoom:
      return unattended_exit::kNothingFits;
    case InstallStop::NoConfiguration:
      return ui_.configuration_unavailable() ? unattended_exit::kConfigurationUnavailable
                                             : unattended_exit::kCancelled;
    case InstallStop::NoDirectory:
      return ui_.directory_refused() ? unattended_exit::kDirectoryRefused : unattended_exit::kCancelled;
    case InstallStop::LicenseDeclined:
    case InstallStop::None:
      break;
  }
  return unattended_exit::kCancelled;
}

// Where no dialog asked, the installation must still be the one the
// options named: a run that installed something else says so.
int SilentRun::ChoicesBroken(FrontPanel& panel) {
  ConfigurationMatcher* matcher = panel.matcher();
  const UnattendedOptions& options = line_.options;
  if (options.configuration) {
    const auto wanted = FindConfiguration(panel.script(), *options.configuration);
    if (!wanted || matcher->IndexOf(matcher->chosen()) != static_cast<int>(*wanted)) {
      Log("another configuration was installed than " + *options.configuration);
      return unattended_exit::kConfigurationUnavailable;
    }
  }
  if (options.directory &&
      !EqualsNoCase(WithBackslash(*options.directory), WithBackslash(matcher->destination_directory()))) {
    Log("installed into " + matcher->destination_directory() + ", not " + *options.directory);
    return unattended_exit::kDirectoryRefused;
  }
  return unattended_exit::kDone;
}

// Appended line by line, so a run that ends abruptly leaves what it saw.
void SilentRun::Log(const std::string& line) {
  if (!line_.options.log) return;
  OpenResult opened = outer_.files.Open(*line_.options.log, OpenMode::OpenAlways);
  bool written = opened.file && opened.file->Seek(static_cast<std::int64_t>(opened.file->Length())) &&
                 opened.file->Write(line + "\r\n") == FileError::None &&
                 opened.file->Finish() == FileError::None;
  if (!written) log_failed_ = true;
}

}  // namespace tvx
