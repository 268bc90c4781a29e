// The line rules of the product registry file and its on-disk text.
#include "registry/registry_text.h"

#include <algorithm>

namespace tvx {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool IsHeader(std::string_view line) { return line.find('[') != std::string_view::npos; }

// A line's own LFs become CR LF, and it ends in CR LF.
void AppendLine(std::string& out, std::string_view line) {
  for (const char c : line) {
    if (c == '\n') out += '\r';
    out += c;
  }
  if (line.empty() || line.back() != '\n') out += "\r\n";
}

struct Range {
  std::size_t begin = 0;
  std::size_t end = 0;  // empty when begin == end
  bool Holds(std::size_t index) const { return index >= begin && index < end; }
};

Range SystemSectionRange(const std::vector<std::string>& lines, std::string_view system_section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsHeader(lines[i]) || lines[i].find(system_section) == std::string::npos) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !IsHeader(lines[end])) ++end;
    return {i, end};
  }
  return {};
}

}  // namespace

bool IsBoundary(std::string_view line) { return line.empty() || IsHeader(line); }

std::string_view WithoutLeadingBlanks(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view{} : line.substr(start);
}

bool IsInsignificant(std::string_view line) {
  const std::string_view text = WithoutLeadingBlanks(line);
  return text.empty() || text.starts_with("//");
}

std::string_view KeyOf(std::string_view line) { return line.substr(0, line.find('=')); }

bool ContainsLowerNeedle(std::string_view text, std::string_view lower_needle) {
  const auto same = [](char a, char b) { return LowerAscii(a) == b; };
  if (lower_needle.empty()) return true;
  const char first = lower_needle.front();
  if (first >= 'a' && first <= 'z')
    return std::search(text.begin(), text.end(), lower_needle.begin(), lower_needle.end(), same) !=
           text.end();
  // A first character without case (the "[" of a section search) is found
  // by a plain scan: most lines of the file do not hold it at all.
  for (std::size_t at = text.find(first); at != std::string_view::npos; at = text.find(first, at + 1)) {
    const std::string_view rest = text.substr(at);
    if (rest.size() >= lower_needle.size() &&
        std::equal(rest.begin(), rest.begin() + lower_needle.size(), lower_needle.begin(), same))
      return true;
  }
  return false;
}

std::vector<std::string> ParseRegistryText(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
      text = {};
    } else {
      text.remove_prefix(end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    }
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

std::string FormatRegistryText(const std::vector<std::string>& lines, std::string_view system_section) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 4;
  std::string out;
  out.reserve(size);
  const Range system = SystemSectionRange(lines, system_section);
  for (std::size_t i = system.begin; i < system.end; ++i) AppendLine(out, lines[i]);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (system.Holds(i)) continue;
    if (IsHeader(lines[i])) out += "\r\n";
    AppendLine(out, lines[i]);
  }
  return out;
}

}  // namespace tvx
