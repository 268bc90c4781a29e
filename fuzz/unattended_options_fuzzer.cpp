// A command line of any bytes: the options taken off its start leave the
// program's path and a tail of the line, never text of their own making;
// a line without them is left untouched.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/command_line.h"
#include "shell/unattended_options.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const tvx::UnattendedCommandLine split = tvx::SplitUnattendedOptions(line);
  tvx::ParseCommandLine(split.command_line);
  if (!split.recognised) {
    Require(split.command_line == line && split.error.empty());
    return 0;
  }
  const std::string_view path = line.substr(0, line.size() - tvx::AfterProgramPath(line).size());
  const std::string_view left(split.command_line);
  Require(left.substr(0, path.size()) == path);
  const std::string_view tail = left.substr(path.size());
  Require(tail.empty() || (tail.front() == ' ' && line.ends_with(tail.substr(1))));
  return 0;
}
