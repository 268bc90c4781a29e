#include "platform/path_text.h"

#include <algorithm>

namespace tvx {

std::string_view UpToLastBackslash(std::string_view path) {
  const auto last = path.rfind('\\');
  return last == std::string_view::npos ? std::string_view{} : path.substr(0, last);
}

std::string_view AfterLastBackslash(std::string_view path) {
  const auto last = path.rfind('\\');
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string joined(directory);
  joined += '\\';
  joined += name;
  return joined;
}

bool EndsWithBackslash(std::string_view path) { return !path.empty() && path.back() == '\\'; }

std::string_view WithoutFinalBackslash(std::string_view path) {
  return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

static char AsciiLowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLowerChar);
  return lower;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLowerChar(x) == AsciiLowerChar(y);
         });
}

}  // namespace tvx
