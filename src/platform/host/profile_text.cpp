#include "platform/host/profile_text.h"

#include "platform/path_text.h"

namespace tvx::host {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The header's name, or nullopt when the line is not a section header; a
// header ends at the last "]" of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The value of the key in the first section of that name; nullopt when
// either is missing.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
  bool inside = false, seen = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (const auto name = SectionName(line)) {
      // Only the first section of a name counts, as on Windows.
      if (seen) return std::nullopt;
      inside = EqualsNoCase(*name, section);
      seen = inside;
      continue;
    }
    if (!inside || line.empty()) continue;
    const std::size_t equals = line.find('=');
    if (!EqualsNoCase(Trim(line.substr(0, equals)), key)) continue;
    return equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
  }
  return std::nullopt;
}

std::string_view WithoutTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::string LookupProfileText(const std::optional<std::string_view>& file_text, std::string_view section,
                              std::string_view key, std::string_view default_text, std::size_t buffer_size) {
  if (buffer_size == 0) return {};
  std::optional<std::string_view> value;
  if (file_text) value = FindValue(*file_text, Trim(section), Trim(key));
  std::string_view answer = value ? Unquoted(*value) : WithoutTrailingSpaces(default_text);
  if (answer.size() > buffer_size - 1) answer = answer.substr(0, buffer_size - 1);
  return std::string(answer);
}

}  // namespace tvx::host
