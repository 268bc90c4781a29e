// Removing one installed configuration of the product: its files, the
// directories they leave empty, the erasable files, the shortcuts, the
// registry entries and its record in "tvx.ini".
#pragma once

#include <string>

#include "detection/configuration_matcher.h"
#include "install/online_client_service.h"
#include "install/panel_hooks.h"
#include "platform/platform.h"
#include "registry/registry_process_state.h"
#include "script/install_script.h"
#include "script/script_process_state.h"
#include "ui/ui_process_state.h"

namespace tvx {

struct UninstallOptions {
  bool uninstall_mode = false;   // started with "-uninstall"
  bool replace_mode = false;     // a previous copy goes before a reinstall
  bool no_confirmation = false;  // a rollback: nothing is asked
  // Directory entries and erasable files go only when the new install
  // directory differs from the old one.
  bool directories_differ = true;
  // This run copied the product into the install directory (a rollback),
  // so it holds the product before its install data is there.
  bool installed_here = false;
};

enum class UninstallResult { Removed, Cancelled, NothingInstalled };
const char* UninstallResultName(UninstallResult result);

struct UninstallContext {
  Platform& platform;
  ScriptProcessState& script_state;
  RegistryProcessState& registry_state;
  UiProcessState& ui_state;
  InstallScript& script;
  ConfigurationMatcher& matcher;
  PanelHooks& panel;
  std::string localized_application_name;
  OnlineClientService& client;
};

// String numbers of the uninstaller's texts.
namespace uninstall_text {
inline constexpr int kSharedQuestion = 130;
inline constexpr int kSharedCaption = 131;
inline constexpr int kRemoving = 190;
inline constexpr int kCaption = 280;
inline constexpr int kQuestionUninstallMode = 281;
inline constexpr int kQuestionSuffix = 282;
inline constexpr int kQuestion = 285;
inline constexpr int kQuestionReplace = 286;
}  // namespace uninstall_text

UninstallResult UninstallProduct(UninstallContext& context, const UninstallOptions& options);

}  // namespace tvx
