#include "platform/host/answer_script.h"

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
    auto answer = words ? ParseLine(*words, why) : std::nullopt;
    if (!answer) {
      error = "line " + std::to_string(line_number) + ": " + why;
      return std::nullopt;
    }
    answer->line = line_number;
    script.answers_.push_back(*answer);
  }
  return script;
}

std::optional<BoxAnswer> AnswerScript::NextBox() {
  if (next_ == answers_.size()) return std::nullopt;
  return answers_[next_++];
}

}  // namespace tvx::host
