// One shortcut to make: what the installation asks for, and the shell
// link it becomes.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tvx {

struct ShortcutRequest {
  // Without ".exe", or a name ending in ".bat"; empty for a document.
  std::string program;
  // The program's folder, and the shortcut's working directory.
  std::string directory;
  std::string name;  // without ".lnk"
  // The command's arguments; for a document shortcut, the document.
  std::string arguments;
  std::string folder;  // where the ".lnk" file goes
  std::string icon;    // icon file, index 0
};

// The shortcut file the request makes: its target, arguments and place.
ShellLink ShellLinkFor(const ShortcutRequest& request);

// Creates the folder and the shortcut; a failure leaves the shortcut out.
void CreateShortcut(Platform& platform, const ShortcutRequest& request);

}  // namespace tvx
