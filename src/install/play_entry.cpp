#include "install/play_entry.h"

#include "install/shortcut_request.h"

namespace tvx {

std::string PlayEntryName(std::string_view product_name) { return "Play " + std::string(product_name); }

void CreatePlayEntry(Platform& platform, std::string_view product_name, std::string_view program_folder,
                     std::string_view program_file) {
  const std::string startup = platform.shell.SpecialFolderPath(SpecialFolder::Startup);
  if (startup.empty()) return;
  ShortcutRequest request;
  request.program = std::string(program_file);
  request.directory = std::string(program_folder);
  request.name = PlayEntryName(product_name);
  request.arguments = "-play " + std::string(product_name);
  request.folder = startup;
  CreateShortcut(platform, request);
}

}  // namespace tvx
