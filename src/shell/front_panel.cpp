#include "shell/front_panel.h"

#include "platform/file_services.h"
#include "ui/plain_message.h"

namespace tvx {

const char* StartupResultName(StartupResult result) {
  switch (result) {
    case StartupResult::Continue:
      return "continue";
    case StartupResult::WebLinkOpened:
      return "web link opened";
    case StartupResult::UnsupportedSystem:
      return "unsupported system";
    case StartupResult::AlreadyRunning:
      return "already running";
  }
  return "?";
}

FrontPanel::FrontPanel(Session& session, std::string_view command_line)
    : session_(session), platform_(session.platform), switches_(ParseCommandLine(command_line)) {
  session_.product_argument = switches_.product_argument;
  if (switches_.open_web_link) {
    platform_.shell.OpenDocument(switches_.product_argument);
    session_.quit_requested = true;
    PostQuit();
  }
}

StartupResult FrontPanel::Initialise() {
  if (session_.quit_requested) return StartupResult::WebLinkOpened;
  if (switches_.play_mode) DeleteRestartEntries();
  if (!CheckOperatingSystem()) {
    PostQuit();
    return StartupResult::UnsupportedSystem;
  }
  if (!switches_.play_mode && !TakeSetupMutex()) {
    PostQuit();
    return StartupResult::AlreadyRunning;
  }
  return StartupResult::Continue;
}

// A Play action that asked for a restart left "Play ..." shortcuts in the
// Startup folder; this start is that restart.
void FrontPanel::DeleteRestartEntries() {
  const std::string startup = platform_.shell.SpecialFolderPath(SpecialFolder::Startup);
  if (!startup.empty()) DeleteMatching(platform_.files, startup, "Play *.*");
}

bool FrontPanel::CheckOperatingSystem() {
  session_.system_version = ReadSystemVersion(platform_.system.Version());
  if (session_.system_version.Supported()) return true;
  platform_.ui.ShowMessageBox(std::string("This program does not support Windows NT Workstation Version )") +
                                  " " + session_.system_version.version_text,
                              kProgramName, box::kOk);
  return false;
}

bool FrontPanel::TakeSetupMutex() {
  MutexResult mutex = platform_.shell.CreateNamedMutex(kSetupMutexName);
  if (mutex.already_existed) return false;
  session_.setup_mutex = std::move(mutex.handle);
  return true;
}

}  // namespace tvx
