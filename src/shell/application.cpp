#include "shell/application.h"

#include "shell/unattended_run.h"

namespace tvx {
namespace {

std::string Mode(const CommandLineSwitches& switches) {
  if (switches.open_web_link) return "web link";
  if (switches.play_mode) return "play";
  if (switches.uninstall_mode) return "uninstall";
  return "panel";
}

const char* ActionName(RequestedAction action) {
  switch (action) {
    case RequestedAction::Uninstall:
      return "uninstall";
  }
  return "?";
}

std::string Buttons(const ButtonStates& states) {
  const std::pair<const char*, bool> buttons[] = {{"install", states.install},
                                                  {"uninstall", states.uninstall},
                                                  {"play", states.play},
                                                  {"quit", states.quit},
                                                  {"web", states.web}};
  std::string text;
  for (const auto& [name, enabled] : buttons) text += std::string(" ") + name + (enabled ? "+" : "-");
  return text;
}

std::string Summary(FrontPanel& panel, const Session& session) {
  std::string text = "mode " + Mode(panel.switches());
  if (!session.product_argument.empty()) text += " for \"" + session.product_argument + "\"";
  if (!session.system_version.version_text.empty())
    text += "; Windows " + session.system_version.version_text;
  text += ElevationSummary(panel.elevation());
  text += "; start-up: " + std::string(StartupResultName(panel.result()));
  if (const ConfigurationMatcher* matcher = panel.matcher()) {
    text += matcher->installed() ? "; installed" : "; not installed";
    if (matcher->proposed()) text += "; proposes \"" + matcher->proposed()->name + "\"";
  }
  if (panel.panel()) text += "; panel buttons" + Buttons(panel.panel()->states());
  if (const auto& play = panel.play()) {
    text += std::string("; play: ") + PlayOutcomeName(play->outcome);
    if (!play->command_line.empty()) text += " " + play->command_line;
    if (play->as_desktop_user) text += " (as the desktop user)";
  }
  if (const auto& install = panel.install())
    text += std::string("; install: ") + InstallOutcomeName(install->outcome);
  if (const auto& uninstall = panel.uninstall())
    text += std::string("; uninstall: ") + UninstallResultName(*uninstall);
  for (RequestedAction action : panel.requested_actions())
    text += std::string("; ") + ActionName(action) + " asked (not in this build yet)";
  return text;
}

}  // namespace

int ExitCodeOf(StartupResult result) {
  switch (result) {
    case StartupResult::Continue:
    case StartupResult::WebLinkOpened:
    case StartupResult::RestartedElevated:
      return 0;
    case StartupResult::UnsupportedSystem:
      return 1;
    case StartupResult::AlreadyRunning:
      return 2;
    default:
      return 3;
  }
}

namespace {

// The options of a silent run take their effect only with /SILENT; without
// it they are taken off the line and the run is as ever.
RunReport RunSilently(Platform& platform, const UnattendedCommandLine& line) {
  SilentRun run(platform, line);
  if (const auto refused = run.Refusal())
    return {StartupResult::Continue, "silent run refused: " + line.error, *refused, true};
  Session session(run.platform());
  FrontPanel panel(session, line.command_line);
  run.Attach(panel, session);
  panel.Run();
  const int code = run.Finish(panel, session);
  return {panel.result(),
          Summary(panel, session) + "; silent: " + std::to_string(code) + " " + UnattendedExitName(code),
          code, true};
}

}  // namespace

RunReport RunApplication(Platform& platform) {
  const UnattendedCommandLine line = SplitUnattendedOptions(platform.system.CommandLine());
  if (line.options.silent || !line.error.empty()) return RunSilently(platform, line);
  Session session(platform);
  FrontPanel panel(session, line.command_line);
  panel.Run();
  return {panel.result(), Summary(panel, session), ExitCodeOf(panel.result()), false};
}

}  // namespace tvx
