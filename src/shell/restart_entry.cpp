#include "shell/restart_entry.h"

#include "install/play_entry.h"
#include "platform/path_text.h"

namespace tvx {

std::string RestartEntryName(std::string_view application_name) { return PlayEntryName(application_name); }

void CreateRestartEntry(Platform& platform, std::string_view application_name) {
  const std::string module = platform.files.ModulePath();
  std::string folder(UpToLastBackslash(module));
  // "D:" alone would mean the current folder of D:, not its root.
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  CreatePlayEntry(platform, application_name, folder, AfterLastBackslash(module));
}

}  // namespace tvx
