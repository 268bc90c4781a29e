#include "shell/restart_entry.h"

#include "install/shortcut_request.h"
#include "platform/path_text.h"

namespace tvx {

std::string RestartEntryName(std::string_view application_name) {
  return "Play " + std::string(application_name);
}

void CreateRestartEntry(Platform& platform, std::string_view application_name) {
  const std::string startup = platform.shell.SpecialFolderPath(SpecialFolder::Startup);
  if (startup.empty()) return;
  const std::string module = platform.files.ModulePath();
  std::string folder(UpToLastBackslash(module));
  // "D:" alone would mean the current folder of D:, not its root.
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  ShortcutRequest request;
  request.program = std::string(AfterLastBackslash(module));
  request.directory = folder;
  request.name = RestartEntryName(application_name);
  request.arguments = "-play " + std::string(application_name);
  request.folder = startup;
  CreateShortcut(platform, request);
}

}  // namespace tvx
