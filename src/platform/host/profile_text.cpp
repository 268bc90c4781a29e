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

struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;   // before its "\r\n" or "\n"
  std::size_t next = 0;  // where the next line begins
};

Line LineAt(std::string_view text, std::size_t begin) {
  const std::size_t newline = text.find('\n', begin);
  Line line{begin, newline == std::string_view::npos ? text.size() : newline,
            newline == std::string_view::npos ? text.size() : newline + 1};
  if (line.end > begin && text[line.end - 1] == '\r') --line.end;
  return line;
}

// Where a new key of the section goes: after its last non-blank line.
struct SectionScan {
  bool found = false;
  std::size_t insert_at = 0;
  std::optional<Line> entry;  // the key's line
};

SectionScan ScanSection(std::string_view text, std::string_view section, std::string_view key) {
  SectionScan scan;
  for (std::size_t at = 0; at < text.size();) {
    const Line line = LineAt(text, at);
    at = line.next;
    const std::string_view content = Trim(text.substr(line.begin, line.end - line.begin));
    if (const auto name = SectionName(content)) {
      if (scan.found) break;
      scan.found = EqualsNoCase(*name, section);
      scan.insert_at = line.next;
      continue;
    }
    if (!scan.found || content.empty()) continue;
    scan.insert_at = line.next;
    if (EqualsNoCase(Trim(content.substr(0, content.find('='))), key)) {
      scan.entry = line;
      break;
    }
  }
  return scan;
}

// A line break first when the text does not end with one.
std::string StartOfLine(std::string_view text, std::size_t at) {
  return at > 0 && at == text.size() && text.back() != '\n' ? "\r\n" : "";
}

}  // namespace

std::string WithProfileEntry(std::string_view file_text, std::string_view section, std::string_view key,
                             std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  std::string text(file_text);
  const SectionScan scan = ScanSection(file_text, section, key);
  if (scan.entry) {
    const std::string_view line =
        Trim(file_text.substr(scan.entry->begin, scan.entry->end - scan.entry->begin));
    const std::string_view written_key = Trim(line.substr(0, line.find('=')));
    // Blanks before the key stay where they were.
    const auto key_at = static_cast<std::size_t>(written_key.data() - file_text.data());
    text.replace(key_at, scan.entry->end - key_at, std::string(written_key) + "=" + std::string(value));
  } else if (scan.found) {
    text.insert(scan.insert_at, StartOfLine(file_text, scan.insert_at) + std::string(key) + "=" +
                                    std::string(value) + "\r\n");
  } else {
    text += StartOfLine(file_text, text.size()) + "[" + std::string(section) + "]\r\n" + std::string(key) +
            "=" + std::string(value) + "\r\n";
  }
  return text;
}

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
