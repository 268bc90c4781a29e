// The switches of the program's command line.
#pragma once

#include <string>
#include <string_view>

namespace tvx {

struct CommandLineSwitches {
  bool play_mode = false;       // "-play" or "-http": no panel window
  bool uninstall_mode = false;  // "-uninstall"
  bool open_web_link = false;   // "-http": open the argument and quit
  std::string product_argument;
  std::string uninstall_product;
};

// Switches are case-sensitive substrings anywhere in the line; each takes
// the rest of the line after one separator as its argument, and a later
// switch overwrites the product argument.
CommandLineSwitches ParseCommandLine(std::string_view command_line);

}  // namespace tvx
