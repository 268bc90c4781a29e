#include "shell/application.h"

namespace tvx {
namespace {

std::string Mode(const CommandLineSwitches& switches) {
  if (switches.open_web_link) return "web link";
  if (switches.uninstall_mode) return "uninstall";
  if (switches.play_mode) return "play";
  return "panel";
}

std::string Summary(const FrontPanel& panel, const Session& session, StartupResult result) {
  std::string text = "mode " + Mode(panel.switches());
  if (!session.product_argument.empty()) text += " for \"" + session.product_argument + "\"";
  switch (result) {
    case StartupResult::WebLinkOpened:
      return text + "; opened the address and ended";
    case StartupResult::UnsupportedSystem:
      return text + "; refused Windows version " + session.system_version.version_text + " and ended";
    case StartupResult::AlreadyRunning:
      return text + "; another setup is running, ended silently";
    case StartupResult::Continue:
      break;
  }
  text += "; accepted Windows version " + session.system_version.version_text;
  if (session.setup_mutex) text += ", took the single-instance mutex";
  // What follows the checks (script, panel, actions) is not part of the
  // program yet: say so rather than pretend.
  return text + "; start-up goes no further in this build";
}

}  // namespace

int ExitCodeOf(StartupResult result) {
  switch (result) {
    case StartupResult::UnsupportedSystem:
      return 1;
    case StartupResult::AlreadyRunning:
      return 2;
    case StartupResult::Continue:
    case StartupResult::WebLinkOpened:
      break;
  }
  return 0;
}

RunReport RunApplication(Platform& platform) {
  Session session(platform);
  FrontPanel panel(session, platform.system.CommandLine());
  const StartupResult result = panel.Initialise();
  return {result, Summary(panel, session, result)};
}

}  // namespace tvx
