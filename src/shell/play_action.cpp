#include "shell/play_action.h"

#include "platform/file_services.h"
#include "registry/product_registry_file.h"
#include "shell/command_line.h"
#include "shell/restart_entry.h"
#include "shell/startup_places.h"
#include "ui/question_dialog.h"

namespace tvx {
namespace {

constexpr int kRestartCaption = 240;
constexpr int kStartFailedCaption = 260;
constexpr int kDiscPromptCaption = 340;
constexpr int kDiscPromptBefore = 341;
constexpr int kDiscPromptAfter = 342;
constexpr int kRestartQuestion = 400;
constexpr int kNotEnoughMemory = 420;
constexpr const char* kNoDisc = "\\";

PlayReport Ended(PlayOutcome outcome) {
  PlayReport report;
  report.outcome = outcome;
  return report;
}

}  // namespace

const char* PlayOutcomeName(PlayOutcome outcome) {
  switch (outcome) {
    case PlayOutcome::NothingToPlay:
      return "nothing to play";
    case PlayOutcome::ConfigurationUnusable:
      return "the installed configuration is unusable";
    case PlayOutcome::NotReady:
      return "not ready";
    case PlayOutcome::RestartAccepted:
      return "restart asked";
    case PlayOutcome::RestartDeclined:
      return "restart declined";
    case PlayOutcome::NotEnoughMemory:
      return "not enough memory";
    case PlayOutcome::Started:
      return "started";
    case PlayOutcome::StartFailed:
      return "start failed";
  }
  return "?";
}

bool PlayReport::EndsTheProgram() const {
  return outcome == PlayOutcome::RestartAccepted || outcome == PlayOutcome::NotEnoughMemory ||
         outcome == PlayOutcome::Started || outcome == PlayOutcome::StartFailed;
}

std::string GameCommandLine(std::string_view base_folder, std::string_view program_name,
                            std::string_view language_key, std::string_view disc_root) {
  std::string line = "\"" + std::string(base_folder) + std::string(program_name) + "\" -l:";
  line += language_key;
  if (disc_root != kNoDisc && !disc_root.empty()) line += " -cdrom:" + std::string(disc_root.substr(0, 1));
  return line;
}

PlayAction::PlayAction(Session& session, InstallScript& script, ConfigurationMatcher& matcher,
                       PanelWindow* panel, DialogView* view)
    : session_(session),
      platform_(session.platform),
      script_(script),
      matcher_(matcher),
      panel_(panel),
      view_(view) {}

PlayReport PlayAction::Run() {
  if (panel_) panel_->ReleaseButton(command::kPlay);
  Configuration* configuration = matcher_.installed_configuration();
  if (!configuration) configuration = matcher_.playable();
  // The check at start-up has already said what the machine lacks.
  if (matcher_.installed() && !matcher_.InstalledConfigurationUsable())
    return Ended(PlayOutcome::ConfigurationUnusable);
  if (!configuration) {
    Tell(kNothingToPlayText, kNothingToPlayCaption, box::kIconHand);
    return Ended(PlayOutcome::NothingToPlay);
  }
  const Place place = PlaceOf(*configuration);
  if (session_.detection_state.restart_needed) return AskForRestart();
  if (!place.ready) return Ended(PlayOutcome::NotReady);
  return Launch(*configuration, place.base_folder);
}

PlayAction::Place PlayAction::PlaceOf(Configuration& configuration) {
  if (!matcher_.installed_configuration()) return FromSource(configuration);
  if (configuration.exe_on_cd) return FromDisc();
  return {matcher_.destination_directory(), true};
}

// A playable configuration runs from the source without being installed;
// only the components it needs are.
PlayAction::Place PlayAction::FromSource(Configuration& configuration) {
  Place place;
  std::string source_root;
  if (script_.data_source != kDataSourceCdRom) {
    source_root = script_.data_source;
    place.base_folder = source_root + "\\";
  } else {
    source_root = FindSourceRoot(platform_.files, script_);
    place.base_folder = ProgramDirectory(platform_.files) + "\\";
  }
  place.ready = matcher_.InstallMissingComponents(configuration, source_root);
  return place;
}

// Asks for the disc until it is in or the user gives up; giving up counts
// even when the disc came in meanwhile.
PlayAction::Place PlayAction::FromDisc() {
  std::string disc = FindProductDisc(platform_.files, script_.volume_name);
  int answer = box::kIdOk;
  while (disc == kNoDisc) {
    const std::string text = Text(kDiscPromptBefore) + script_.volume_name + Text(kDiscPromptAfter);
    answer = platform_.ui.ShowMessageBox(text, Text(kDiscPromptCaption), box::kOkCancel | box::kIconHand);
    disc = FindProductDisc(platform_.files, script_.volume_name);
    if (answer == box::kIdCancel) break;
  }
  std::string data_path;
  ProductRegistryFile(platform_.files, session_.registry_state)
      .ReadString(script_.application_name, "SrcDataPath", data_path);
  return {disc.substr(0, 2) + data_path, disc != kNoDisc && answer != box::kIdCancel};
}

PlayReport PlayAction::AskForRestart() {
  QuestionDialog question(Text(kRestartQuestion, ApplicationName()), Text(kRestartCaption), true,
                          [this](int number) { return Text(number); });
  const int answer = question.Ask(platform_.ui);
  ForgetReturnKeyWhenHeld();
  if (answer != box::kIdYes) return Ended(PlayOutcome::RestartDeclined);
  CreateRestartEntry(platform_, script_.application_name);
  platform_.shell.RequestRestart();
  return Ended(PlayOutcome::RestartAccepted);
}

PlayReport PlayAction::Launch(const Configuration& configuration, const std::string& base_folder) {
  platform_.files.ChangeDirectory(base_folder + configuration.working_directory);
  if (view_) view_->Show(0, false);
  if (!EnoughMemory()) {
    Tell(Text(kNotEnoughMemory, ApplicationName()), Text(kStartFailedCaption), box::kIconHand);
    return Ended(PlayOutcome::NotEnoughMemory);
  }
  // The game takes this mutex itself.
  session_.product_mutex.reset();
  const std::string disc = FindProductDisc(platform_.files, script_.volume_name);
  PlayReport report = Ended(PlayOutcome::Started);
  report.command_line =
      GameCommandLine(base_folder, configuration.program_name, session_.script_state.current_language, disc);
  report.as_desktop_user =
      StartAsDesktopUser(report.command_line, base_folder + configuration.working_directory);
  if (report.as_desktop_user) return report;
  report.start_result = platform_.shell.StartProgram(report.command_line, kShowDefault);
  if (report.start_result > kLastStartError) return report;
  report.outcome = PlayOutcome::StartFailed;
  if (const int number = StartFailureString(report.start_result))
    Tell(Text(number), Text(kStartFailedCaption), box::kIconHand);
  return report;
}

// From an elevated panel the game would inherit the administrator's token;
// the desktop's shell starts it as the user instead. Where that fails, the
// usual start follows.
bool PlayAction::StartAsDesktopUser(const std::string& command_line, const std::string& folder) {
  if (!view_ || !session_.elevated_under_uac) return false;
  const auto program_end = command_line.find('"', 1);
  const std::string program = command_line.substr(1, program_end - 1);
  return platform_.shell.StartAsDesktopUser(program, ProgramParameters(command_line), folder);
}

// Physical memory and page file available, counted in whole kilobytes,
// against the script's megabytes.
bool PlayAction::EnoughMemory() {
  if (script_.memory_requirement <= 0) return true;
  const MemoryStatus memory = platform_.system.Memory();
  const std::uint64_t kilobytes = memory.available_physical / 1024 + memory.available_page_file / 1024;
  return kilobytes >= static_cast<std::uint64_t>(script_.memory_requirement) * 1024;
}

void PlayAction::ForgetReturnKeyWhenHeld() {
  if (view_ && view_->ReturnKeyDown()) session_.ui_state.return_key_armed = false;
}

std::string PlayAction::Text(int number, std::string_view argument) {
  return session_.script_state.strings.LookupString(platform_.ui, number, argument);
}

std::string PlayAction::ApplicationName() {
  return LocalizedApplicationName(session_.script_state.strings, platform_.ui, script_);
}

void PlayAction::Tell(const std::string& text, const std::string& caption, std::uint32_t style) {
  platform_.ui.ShowMessageBox(text, caption, style);
}

}  // namespace tvx
