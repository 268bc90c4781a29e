#include "shell/restart_entry.h"

namespace tvx {

std::string RestartEntryName(std::string_view application_name) {
  return "Play " + std::string(application_name);
}

// TODO(play): the shortcut is made by the shell services' CreateShortcut once it lands.
void CreateRestartEntry(Platform&, std::string_view) {}

}  // namespace tvx
