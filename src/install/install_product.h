// One installation, from the source disc to a recorded product that can be
// played and uninstalled: what the panel's Install button runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "detection/configuration_matcher.h"
#include "install/copy_files.h"
#include "install/online_client_service.h"
#include "install/panel_hooks.h"

namespace tvx {

// How the installation asks for the panel's Uninstall command.
struct UninstallRequest {
  bool replace_mode = false;     // a previous copy goes before reinstalling
  bool no_confirmation = false;  // a rollback asks nothing
  bool directories_differ = true;
};
// True when the removal ran to its end; false when the user refused it.
using UninstallSender = std::function<bool(const UninstallRequest&)>;

enum class InstallOutcome {
  Installed,
  NotStarted,      // stopped before anything was copied: no disc, refused, cancelled, no room
  RemovalRefused,  // the previous copy was to go first and the user kept it
  RolledBack,      // a step after the copy began failed; what was installed is gone
};

// What stopped an installation before anything was copied.
enum class InstallStop { None, NoDisc, LicenseDeclined, NoConfiguration, NoRoom, NoDirectory };

struct InstallContext {
  ConfigurationMatcher& matcher;  // the script, the machine and the installed state
  PanelHooks& panel;
  UninstallSender uninstall;
  std::string application_name;  // localized
  OnlineClientService& client;
};

struct InstallReport {
  InstallOutcome outcome = InstallOutcome::NotStarted;
  std::string source_directory;
  CopyOutcome copy;  // how the copy ended, when it ran
  InstallStop stop = InstallStop::None;
};

InstallReport InstallProduct(InstallContext& context);
const char* InstallOutcomeName(InstallOutcome outcome);

// String numbers of the installation's own messages.
namespace install_text {
inline constexpr int kSourceMissing = 200;
inline constexpr int kSourceMissingCaption = 201;
inline constexpr int kFailed = 240;
inline constexpr int kFailedCaption = 241;
inline constexpr int kWorking = 311;
inline constexpr int kDirectoryCaption = 124;
inline constexpr int kNoRoom = 125;
}  // namespace install_text

}  // namespace tvx
