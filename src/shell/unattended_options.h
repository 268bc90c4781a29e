// The options of an unattended run, in the style installers share:
// "/SILENT", "/DIR=path", "/CONFIG=index-or-name", "/LANG=key", "/LOG=file".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tvx {

struct UnattendedOptions {
  bool silent = false;
  std::optional<std::string> directory;
  std::optional<std::string> configuration;  // an index from 0, or a name
  std::optional<std::string> language;       // a key of the script's languages
  std::optional<std::string> log;            // appended to
};

struct UnattendedCommandLine {
  UnattendedOptions options;
  // The line the start-up reads: the program's path and what followed the
  // options; the whole line, untouched, when there were none.
  std::string command_line;
  bool recognised = false;  // at least one option was taken off
  std::string error;        // a malformed or repeated option
};

// Options are taken only straight after the program's path, names without
// regard to case, a value in quotes or not ("/DIR=\"C:\\A B\"" and
// "\"/DIR=C:\\A B\"" alike); the first word that is not one ends them, so
// every line without them keeps its meaning to the switch rule.
UnattendedCommandLine SplitUnattendedOptions(std::string_view command_line);

}  // namespace tvx
