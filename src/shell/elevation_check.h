// Start-up's elevation step: where user account control gives this program
// a token without its administrator rights, the panel and "-uninstall" start
// again elevated, before the single-instance mutex is taken.
#pragma once

#include <optional>
#include <string_view>

#include "platform/elevation_types.h"
#include "platform/platform.h"
#include "shell/command_line.h"

namespace tvx {

enum class ElevationDecision {
  NotNeeded,        // the mode never asks, or the system has no user account control on
  AlreadyElevated,  // the token holds its rights
  StillLimited,     // this process is a restart and is still not elevated: never ask twice
  RestartElevated,  // ask for an elevated copy
};

// Play and the web link run with the user's own rights; only the modes
// that change the machine ask.
bool ModeAsksForElevation(const CommandLineSwitches& switches);
// NT 6 or later with user account control on.
bool UserAccountControlApplies(const VersionRecord& version, const ElevationState& state);
// restarted: this process was started by an elevation request of this program.
ElevationDecision DecideElevation(const CommandLineSwitches& switches, const VersionRecord& version,
                                  const ElevationState& state, bool restarted);

struct ElevationReport {
  ElevationState state;
  ElevationDecision decision = ElevationDecision::NotNeeded;
  std::optional<ElevationAnswer> answer;  // set when the restart was asked

  // An elevated copy took over: this process ends.
  bool Handed() const { return answer == ElevationAnswer::Accepted; }
  // Elevated under user account control: what this process starts should
  // get the desktop user's rights, not these.
  bool ElevatedUnderUac() const;
};

// Decides and, when needed, asks for the elevated copy with the same
// parameters as this process's command line.
ElevationReport ElevateWhenNeeded(Platform& platform, const CommandLineSwitches& switches,
                                  std::string_view command_line);

// "; elevation: ..." for the run's summary; empty where the step had
// nothing to do.
std::string ElevationSummary(const ElevationReport& report);

}  // namespace tvx
