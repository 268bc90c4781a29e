#include "shell/command_line.h"

#include <optional>

namespace tvx {
namespace {

// The argument of a switch: from its position plus its length plus one
// separator to the end of the line, untrimmed.
std::optional<std::string> SwitchArgument(std::string_view line, std::string_view name) {
  const auto at = line.find(name);
  if (at == std::string_view::npos) return std::nullopt;
  const auto start = at + name.size() + 1;
  if (start >= line.size()) return std::string();
  return std::string(line.substr(start));
}

}  // namespace

CommandLineSwitches ParseCommandLine(std::string_view command_line) {
  CommandLineSwitches switches;
  if (auto argument = SwitchArgument(command_line, "-uninstall")) {
    switches.uninstall_mode = true;
    switches.uninstall_product = *argument;
    switches.product_argument = *argument;
  }
  if (auto argument = SwitchArgument(command_line, "-play")) {
    switches.play_mode = true;
    switches.product_argument = *argument;
  }
  if (auto argument = SwitchArgument(command_line, "-http")) {
    switches.play_mode = true;
    switches.open_web_link = true;
    switches.product_argument = *argument;
  }
  return switches;
}

}  // namespace tvx
