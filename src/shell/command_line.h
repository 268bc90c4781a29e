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

// Switches are case-sensitive substrings of the line after the program's
// path; the first one found takes the rest of the line after one separator
// as its argument, so the lines the program writes for itself (shortcuts,
// the uninstall entry) keep their meaning whatever the product is called.
CommandLineSwitches ParseCommandLine(std::string_view command_line);

// What follows the program's own path: a quoted path ends at its closing
// quote, a bare one at the first blank or tab.
std::string_view AfterProgramPath(std::string_view line);

// What follows the program's path, without the one blank or tab that
// separates them: the parameters a copy of the program is started with.
std::string_view ProgramParameters(std::string_view command_line);

}  // namespace tvx
