#include "shell/command_line.h"

#include <array>

namespace tvx {
namespace {

enum class Switch { Uninstall, Play, Http };

struct SwitchName {
  Switch which;
  std::string_view text;
};

constexpr std::array<SwitchName, 3> kSwitches = {
    {{Switch::Uninstall, "-uninstall"}, {Switch::Play, "-play"}, {Switch::Http, "-http"}}};

}  // namespace

// Switches are never looked for inside the path, which may well hold
// "-play" or "-http".
std::string_view AfterProgramPath(std::string_view line) {
  if (!line.empty() && line.front() == '"') {
    const auto close = line.find('"', 1);
    return close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
  }
  const auto end = line.find_first_of(" \t");
  return end == std::string_view::npos ? std::string_view() : line.substr(end);
}

std::string_view ProgramParameters(std::string_view command_line) {
  std::string_view rest = AfterProgramPath(command_line);
  if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  return rest;
}

CommandLineSwitches ParseCommandLine(std::string_view command_line) {
  const std::string_view rest = AfterProgramPath(command_line);
  const SwitchName* first = nullptr;
  std::size_t first_at = std::string_view::npos;
  for (const SwitchName& candidate : kSwitches) {
    const auto at = rest.find(candidate.text);
    if (at < first_at) first = &candidate, first_at = at;
  }
  CommandLineSwitches switches;
  if (!first) return switches;
  // The argument runs from one separator after the switch to the end of the
  // line, untrimmed, so later switches are part of it.
  const auto start = first_at + first->text.size() + 1;
  switches.product_argument = start < rest.size() ? std::string(rest.substr(start)) : std::string();
  switches.uninstall_mode = first->which == Switch::Uninstall;
  switches.play_mode = first->which != Switch::Uninstall;
  switches.open_web_link = first->which == Switch::Http;
  if (switches.uninstall_mode) switches.uninstall_product = switches.product_argument;
  return switches;
}

}  // namespace tvx
