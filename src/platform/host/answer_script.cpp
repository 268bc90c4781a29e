#include "platform/host/answer_script.h"

#include <algorithm>
#include <charconv>

#include "platform/platform_types.h"

namespace tvx::host {
namespace {

constexpr std::pair<const char*, int> kButtons[] = {
    {"IDOK", box::kIdOk},       {"IDCANCEL", box::kIdCancel}, {"IDABORT", box::kIdAbort},
    {"IDRETRY", box::kIdRetry}, {"IDIGNORE", box::kIdIgnore}, {"IDYES", box::kIdYes},
    {"IDNO", box::kIdNo}};

// Splits a line into words; a quoted part may hold blanks and escapes.
std::optional<std::vector<std::string>> Words(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size() || line[i] == '#') break;
    std::string word;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (line[i] == '"') {
        quoted = !quoted;
      } else if (quoted && line[i] == '\\' && i + 1 < line.size()) {
        const char next = line[++i];
        word += next == 'n' ? '\n' : next;
      } else {
        word += line[i];
      }
    }
    if (quoted) return std::nullopt;
    words.push_back(std::move(word));
  }
  return words;
}

bool ApplyFilter(const std::string& word, BoxAnswer& answer) {
  if (word.starts_with("caption=")) {
    answer.caption = word.substr(8);
  } else if (word.starts_with("text~")) {
    answer.text_contains = word.substr(5);
  } else {
    return false;
  }
  return true;
}

std::optional<int> Integer(const std::vector<std::string>& words, std::size_t at) {
  if (at >= words.size()) return std::nullopt;
  int number = 0;
  const std::string& word = words[at];
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return number;
}

constexpr std::pair<const char*, DialogAction::Kind> kActions[] = {
    {"press", DialogAction::Kind::Press},
    {"return", DialogAction::Kind::Return},
    {"escape", DialogAction::Kind::Escape},
    {"select", DialogAction::Kind::Select},
    {"double-click", DialogAction::Kind::DoubleClick},
    {"type", DialogAction::Kind::Type},
    {"check", DialogAction::Kind::Check},
    {"key", DialogAction::Kind::Key},
    {"hover", DialogAction::Kind::Hover},
    {"leave", DialogAction::Kind::Leave},
    {"display", DialogAction::Kind::Display},
    {"expand", DialogAction::Kind::Expand},
    {"collapse", DialogAction::Kind::Collapse},
    {"select-item", DialogAction::Kind::SelectItem}};

// How many words each action takes after its name: control, value, text.
std::size_t ArgumentsOf(DialogAction::Kind kind) {
  switch (kind) {
    case DialogAction::Kind::Return:
    case DialogAction::Kind::Escape:
      return 0;
    case DialogAction::Kind::Press:
    case DialogAction::Kind::Key:
    case DialogAction::Kind::Hover:
    case DialogAction::Kind::Leave:
      return 1;
    default:
      return 2;
  }
}

std::optional<DialogAction> ParseDialogLine(const std::vector<std::string>& words, std::string& why) {
  why =
      "\"dialog\" needs a dialog number and an action (press, return, escape, select, double-click, type, "
      "check, key, hover, leave, display, expand, collapse, select-item)";
  const auto dialog = Integer(words, 1);
  if (!dialog || words.size() < 3) return std::nullopt;
  DialogAction action;
  action.dialog = *dialog;
  const auto known = std::find_if(std::begin(kActions), std::end(kActions),
                                  [&](const auto& entry) { return words[2] == entry.first; });
  if (known == std::end(kActions)) return std::nullopt;
  action.kind = known->second;
  if (words.size() != 3 + ArgumentsOf(action.kind)) {
    why = "\"" + words[2] + "\" takes " + std::to_string(ArgumentsOf(action.kind)) + " argument(s)";
    return std::nullopt;
  }
  const auto first = Integer(words, 3);
  const auto second = Integer(words, 4);
  if ((ArgumentsOf(action.kind) > 0 && !first) ||
      (ArgumentsOf(action.kind) > 1 && !action.TakesText() && !second)) {
    why = "\"" + words[2] + "\" takes numbers";
    return std::nullopt;
  }
  if (action.kind == DialogAction::Kind::Key) {
    action.value = *first;
  } else if (first) {
    action.control = *first;
  }
  if (second) action.value = *second;
  if (action.TakesText()) action.text = words[4];
  return action;
}

std::optional<BoxAnswer> ParseLine(const std::vector<std::string>& words, std::string& why) {
  if (words[0] != "box") {
    why = "unknown command \"" + words[0] + "\"";
    return std::nullopt;
  }
  const auto button = words.size() > 1 ? ParseButtonName(words[1]) : std::nullopt;
  if (!button) {
    why = "\"box\" needs an answer such as IDOK or IDYES";
    return std::nullopt;
  }
  BoxAnswer answer;
  answer.button = *button;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (!ApplyFilter(words[i], answer)) {
      why = "unknown filter \"" + words[i] + "\"";
      return std::nullopt;
    }
  }
  return answer;
}

}  // namespace

bool BoxAnswer::Matches(std::string_view box_caption, std::string_view box_text) const {
  if (caption && *caption != box_caption) return false;
  return !text_contains || box_text.find(*text_contains) != std::string_view::npos;
}

std::optional<int> ParseButtonName(std::string_view name) {
  for (const auto& [text, id] : kButtons)
    if (name == text) return id;
  int number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return number;
}

const char* ButtonName(int button) {
  for (const auto& [text, id] : kButtons)
    if (button == id) return text;
  return "?";
}

std::optional<AnswerScript> AnswerScript::Parse(std::string_view text, std::string& error) {
  AnswerScript script;
  int line_number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto words = Words(line);
    std::string why = "a quote is not closed";
    if (words && words->empty()) continue;
    if (words && (*words)[0] == "dialog") {
      auto action = ParseDialogLine(*words, why);
      if (action) {
        action->line = line_number;
        script.answers_.push_back(*action);
        continue;
      }
    } else if (auto answer = words ? ParseLine(*words, why) : std::nullopt) {
      answer->line = line_number;
      script.answers_.push_back(*answer);
      continue;
    }
    error = "line " + std::to_string(line_number) + ": " + why;
    return std::nullopt;
  }
  return script;
}

std::optional<BoxAnswer> AnswerScript::NextBox() {
  if (next_ == answers_.size() || NextIsDialog()) return std::nullopt;
  return std::get<BoxAnswer>(answers_[next_++]);
}

bool AnswerScript::NextIsDialog() const {
  return next_ < answers_.size() && std::holds_alternative<DialogAction>(answers_[next_]);
}

std::optional<DialogAction> AnswerScript::NextDialogAction(int dialog) {
  if (!NextIsDialog() || std::get<DialogAction>(answers_[next_]).dialog != dialog) return std::nullopt;
  return std::get<DialogAction>(answers_[next_++]);
}

int AnswerScript::NextLine() const {
  if (next_ == answers_.size()) return 0;
  return std::visit([](const auto& entry) { return entry.line; }, answers_[next_]);
}

bool DialogAction::TakesText() const {
  return kind == Kind::Type || kind == Kind::Expand || kind == Kind::Collapse || kind == Kind::SelectItem;
}

std::string DialogAction::Describe() const {
  for (const auto& [name, kind_of] : kActions) {
    if (kind_of != kind) continue;
    switch (ArgumentsOf(kind)) {
      case 0:
        return name;
      case 1:
        return std::string(name) + " " + std::to_string(kind == Kind::Key ? value : control);
      default:
        return std::string(name) + " " + std::to_string(control) + " " +
               (TakesText() ? "\"" + text + "\"" : std::to_string(value));
    }
  }
  return "?";
}

}  // namespace tvx::host
