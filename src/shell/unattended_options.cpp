#include "shell/unattended_options.h"

#include <array>

#include "platform/path_text.h"
#include "shell/command_line.h"

namespace tvx {
namespace {

struct Word {
  std::string text;  // quotes taken out
  std::size_t end = 0;
  bool closed = true;  // every quote found its pair
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// A word ends at a blank outside quotes; the quotes themselves go.
Word ReadWord(std::string_view text, std::size_t at) {
  Word word;
  bool quoted = false;
  for (; at < text.size() && (quoted || !IsBlank(text[at])); ++at) {
    if (text[at] == '"')
      quoted = !quoted;
    else
      word.text += text[at];
  }
  word.end = at;
  word.closed = !quoted;
  return word;
}

enum class Name { Silent, Dir, Config, Lang, Log };

struct NameText {
  Name name;
  std::string_view text;
};

constexpr std::array<NameText, 5> kNames = {{{Name::Silent, "SILENT"},
                                             {Name::Dir, "DIR"},
                                             {Name::Config, "CONFIG"},
                                             {Name::Lang, "LANG"},
                                             {Name::Log, "LOG"}}};

std::optional<Name> NameOf(std::string_view word) {
  if (word.empty() || word.front() != '/') return std::nullopt;
  const std::string_view name = word.substr(1, word.find('=') - 1);
  for (const NameText& known : kNames)
    if (EqualsNoCase(name, known.text)) return known.name;
  return std::nullopt;
}

std::optional<std::string>* ValueSlot(UnattendedOptions& options, Name name) {
  switch (name) {
    case Name::Dir:
      return &options.directory;
    case Name::Config:
      return &options.configuration;
    case Name::Lang:
      return &options.language;
    case Name::Log:
      return &options.log;
    case Name::Silent:
      break;
  }
  return nullptr;
}

// Takes one option into options; answers what is wrong with it, or "".
std::string Take(UnattendedOptions& options, Name name, const Word& word) {
  const auto equals = word.text.find('=');
  if (!word.closed) return word.text + ": no closing quote";
  if (name == Name::Silent) {
    if (equals != std::string::npos) return word.text + ": takes no value";
    if (options.silent) return word.text + ": given more than once";
    options.silent = true;
    return {};
  }
  if (equals == std::string::npos || equals + 1 == word.text.size()) return word.text + ": needs a value";
  std::optional<std::string>& slot = *ValueSlot(options, name);
  if (slot) return word.text.substr(0, equals) + ": given more than once";
  slot = word.text.substr(equals + 1);
  return {};
}

}  // namespace

UnattendedCommandLine SplitUnattendedOptions(std::string_view command_line) {
  const std::string_view rest = AfterProgramPath(command_line);
  UnattendedCommandLine split;
  std::size_t at = SkipBlanks(rest, 0);
  while (at < rest.size()) {
    const Word word = ReadWord(rest, at);
    const std::optional<Name> name = NameOf(word.text);
    if (!name) break;
    split.recognised = true;
    split.error = Take(split.options, *name, word);
    if (!split.error.empty()) break;
    at = SkipBlanks(rest, word.end);
  }
  if (!split.recognised) {
    split.command_line = std::string(command_line);
    return split;
  }
  split.command_line = std::string(command_line.substr(0, command_line.size() - rest.size()));
  if (at < rest.size()) split.command_line += " " + std::string(rest.substr(at));
  return split;
}

}  // namespace tvx
