// The program's main object: built from the command line, it runs the
// start-up checks before anything is shown.
#pragma once

#include "shell/command_line.h"
#include "shell/session.h"

namespace tvx {

// Where the start-up stopped.
enum class StartupResult {
  Continue,           // every check passed
  WebLinkOpened,      // "-http": the address was opened, the process ends
  UnsupportedSystem,  // the operating system was refused with a message
  AlreadyRunning,     // another setup holds the single-instance mutex
};

const char* StartupResultName(StartupResult result);

inline constexpr const char* kSetupMutexName = "SetupTvx.exe";

class FrontPanel {
 public:
  // Reads the switches; "-http" opens its address at once.
  FrontPanel(Session& session, std::string_view command_line);

  // The checks that come before the script is read: restart entries,
  // operating system, single instance.
  StartupResult Initialise();

  const CommandLineSwitches& switches() const { return switches_; }
  bool quit_posted() const { return quit_posted_; }

 private:
  void DeleteRestartEntries();
  bool CheckOperatingSystem();
  bool TakeSetupMutex();
  void PostQuit() { quit_posted_ = true; }

  Session& session_;
  Platform& platform_;
  CommandLineSwitches switches_;
  bool quit_posted_ = false;
};

}  // namespace tvx
