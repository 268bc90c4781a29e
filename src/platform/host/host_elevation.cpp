// User account control on a simulated machine: the prompt answers as the
// profile says, and every request is journalled.
#include "platform/host/host_shell.h"

namespace tvx::host {
namespace {

const char* AnswerName(ElevationAnswer answer) {
  switch (answer) {
    case ElevationAnswer::Accepted:
      return "accepted";
    case ElevationAnswer::Refused:
      return "refused";
    case ElevationAnswer::Failed:
      break;
  }
  return "failed";
}

ElevationAnswer AnswerOf(UacPrompt prompt) {
  switch (prompt) {
    case UacPrompt::Accept:
      return ElevationAnswer::Accepted;
    case UacPrompt::Refuse:
      return ElevationAnswer::Refused;
    case UacPrompt::Fail:
      break;
  }
  return ElevationAnswer::Failed;
}

}  // namespace

// A machine without user account control has no prompt to answer.
ElevationAnswer HostShell::RestartElevated(std::string_view parameters) {
  const ElevationAnswer answer = HasUserAccountControl(profile_) && profile_.uac.enabled
                                     ? AnswerOf(profile_.uac.prompt)
                                     : ElevationAnswer::Failed;
  journal_.Record("elevate", std::string(AnswerName(answer)) + " with " + std::string(parameters));
  // "runas" names the program itself, quoted, before the parameters.
  if (answer == ElevationAnswer::Accepted)
    elevated_copy_requested_ =
        "\"" + files_.ModulePath() + "\"" + (parameters.empty() ? "" : " " + std::string(parameters));
  return answer;
}

bool HostShell::StartAsDesktopUser(std::string_view program, std::string_view parameters,
                                   std::string_view directory) {
  if (!profile_.uac.desktop_shell) return false;
  journal_.Record("run as desktop user", std::string(program) + " in " + std::string(directory) + " with " +
                                             std::string(parameters));
  return true;
}

}  // namespace tvx::host
