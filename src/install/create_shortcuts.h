// The product's shortcuts after an installation: the program group with
// its uninstall shortcut, the product's folder, the desktop, and the
// shortcuts the chosen configuration lists.
#pragma once

#include <string>

#include "platform/platform.h"
#include "script/install_script.h"
#include "script/string_table.h"
#include "ui/ui_process_state.h"

namespace tvx {

inline constexpr const char* kDefaultGroup = "Tarvex Games";
inline constexpr int kGroupUninstallName = 350;  // the group-wide uninstall shortcut
inline constexpr int kUninstallName = 351;       // "%s": the application's name
inline constexpr int kPlayName = 352;

// What the installation settled that the shortcuts need.
struct ShortcutSetting {
  const InstallScript& script;
  const Configuration& configuration;
  std::string install_directory;  // ends in "\"
  std::string source_directory;   // such as "D:"
  std::string application_name;   // localized
  std::size_t language = 0;       // position in the script's language list
};

// Asks for the group (unless the configuration skips it), makes every
// shortcut and answers the product's shortcut folder. Failures only leave
// shortcuts out.
std::string CreateShortcuts(Platform& platform, UiProcessState& ui_state, StringTable& strings,
                            const ShortcutSetting& setting);

// Where the desktop play shortcut goes, without ".lnk".
std::string DesktopShortcutPath(Platform& platform, StringTable& strings, std::string_view application_name);

}  // namespace tvx
