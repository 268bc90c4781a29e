#include "detection/file_name_pattern.h"

namespace tvx {
namespace {

char FoldLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

bool NameMatchesPattern(std::string_view pattern, std::string_view name) {
  // Iterative, with one step back to the last star: long names of many
  // stars cannot exhaust the stack.
  if (name.empty()) return pattern.empty() || pattern == "*";
  std::size_t p = 0, n = 0;
  std::size_t star = std::string_view::npos, star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || FoldLetter(pattern[p]) == FoldLetter(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool NameMatchesAny(const std::vector<std::string>& patterns, std::string_view name) {
  for (const std::string& pattern : patterns)
    if (NameMatchesPattern(pattern, name)) return true;
  return false;
}

}  // namespace tvx
