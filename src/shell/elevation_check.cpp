#include "shell/elevation_check.h"

namespace tvx {

bool ModeAsksForElevation(const CommandLineSwitches& switches) { return !switches.play_mode; }

bool UserAccountControlApplies(const VersionRecord& version, const ElevationState& state) {
  return version.platform_id == kPlatformWin32Nt && version.major >= 6 &&
         state.type != TokenElevation::NotApplicable && state.uac_on;
}

ElevationDecision DecideElevation(const CommandLineSwitches& switches, const VersionRecord& version,
                                  const ElevationState& state, bool restarted) {
  if (!ModeAsksForElevation(switches) || !UserAccountControlApplies(version, state))
    return ElevationDecision::NotNeeded;
  if (state.elevated) return ElevationDecision::AlreadyElevated;
  if (restarted) return ElevationDecision::StillLimited;
  return ElevationDecision::RestartElevated;
}

bool ElevationReport::ElevatedUnderUac() const { return decision == ElevationDecision::AlreadyElevated; }

ElevationReport ElevateWhenNeeded(Platform& platform, const CommandLineSwitches& switches,
                                  std::string_view command_line) {
  ElevationReport report;
  const VersionRecord version = platform.system.Version();
  report.state = platform.system.Elevation();
  // Claimed even by an elevated copy: the process that asked for it waits
  // to hear that it arrived.
  const bool restarted = ModeAsksForElevation(switches) && UserAccountControlApplies(version, report.state) &&
                         platform.shell.ClaimElevatedRestart();
  report.decision = DecideElevation(switches, version, report.state, restarted);
  if (report.decision == ElevationDecision::RestartElevated)
    report.answer = platform.shell.RestartElevated(ProgramParameters(command_line));
  return report;
}

std::string ElevationSummary(const ElevationReport& report) {
  switch (report.decision) {
    case ElevationDecision::NotNeeded:
      return {};
    case ElevationDecision::AlreadyElevated:
      return "; elevation: already elevated";
    case ElevationDecision::StillLimited:
      return "; elevation: still limited after a restart, not asked again";
    case ElevationDecision::RestartElevated:
      break;
  }
  switch (report.answer.value_or(ElevationAnswer::Failed)) {
    case ElevationAnswer::Accepted:
      return "; elevation: asked, accepted";
    case ElevationAnswer::Refused:
      return "; elevation: asked, refused";
    case ElevationAnswer::Failed:
      break;
  }
  return "; elevation: asked, failed";
}

}  // namespace tvx
