#include "platform/host/windows_path.h"

#include <cctype>

#include "platform/path_text.h"

namespace tvx::host {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsForbiddenInName(char c) {
  return static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|").find(c) != std::string_view::npos;
}

bool IsWildcard(char c) { return c == '*' || c == '?'; }

// Windows ignores trailing dots and blanks of a component.
std::string TrimComponent(std::string_view part) {
  if (part == "." || part == "..") return std::string(part);
  std::size_t end = part.size();
  while (end > 0 && (part[end - 1] == '.' || part[end - 1] == ' ')) --end;
  return std::string(part.substr(0, end));
}

std::vector<std::string_view> SplitComponents(std::string_view rest) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= rest.size(); ++i) {
    if (i == rest.size() || IsSeparator(rest[i])) {
      if (i > start) parts.push_back(rest.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// Where the walk starts: the drive root or the current directory.
WindowsPath StartingPoint(std::string_view& rest, const WindowsPath& current) {
  WindowsPath start = current;
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    rest.remove_prefix(2);
    if (drive != current.drive || (!rest.empty() && IsSeparator(rest[0]))) start = WindowsPath{drive, {}};
  } else if (!rest.empty() && IsSeparator(rest[0])) {
    start.components.clear();
  }
  return start;
}

bool MatchFrom(std::string_view pattern, std::string_view name) {
  // Iterative glob with one backtracking point: linear in practice and
  // never recursive, whatever the pattern.
  std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || EqualsNoCase(pattern.substr(p, 1), name.substr(n, 1)))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

WindowsPath WindowsPath::Parent() const {
  WindowsPath parent = *this;
  if (!parent.components.empty()) parent.components.pop_back();
  return parent;
}

std::string WindowsPath::Text() const {
  std::string text{drive, ':'};
  if (components.empty()) return text + "\\";
  for (const std::string& part : components) text += "\\" + part;
  return text;
}

ParsedPath ParseWindowsPath(std::string_view text, const WindowsPath& current, bool allow_wildcards_in_last) {
  if (text.empty() || (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])))
    return {std::nullopt, FileError::PathNotFound};  // no UNC shares on this machine
  std::string_view rest = text;
  WindowsPath path = StartingPoint(rest, current);
  const auto parts = SplitComponents(rest);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string part = TrimComponent(parts[i]);
    const bool last = i + 1 == parts.size();
    for (char c : part)
      if (IsForbiddenInName(c) || (IsWildcard(c) && !(last && allow_wildcards_in_last)))
        return {std::nullopt, FileError::InvalidName};
    if (part == "..") {
      if (!path.components.empty()) path.components.pop_back();
    } else if (part != "." && !part.empty()) {
      path.components.push_back(part);
    }
  }
  return {path, FileError::None};
}

bool MatchesFindPattern(std::string_view pattern, std::string_view name) {
  if (MatchFrom(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos)
    return MatchFrom(pattern.substr(0, pattern.size() - 2), name);
  return false;
}

}  // namespace tvx::host
