// The program's start routine, shared by both entry points.
#pragma once

#include <string>

#include "platform/platform.h"
#include "shell/front_panel.h"

namespace tvx {

struct RunReport {
  StartupResult startup = StartupResult::Continue;
  std::string summary;  // what the run did, for the host program
  int exit_code = 0;    // ExitCodeOf(startup), or a silent run's own code
  bool silent = false;  // started with /SILENT (or an option that was refused)
};

RunReport RunApplication(Platform& platform);

// The process exit code for scripts: 0 went on, 1 refused system, 2 another
// setup was running, 3 start-up stopped for another reason.
int ExitCodeOf(StartupResult result);

}  // namespace tvx
