#include "platform/wildcard_match.h"

#include <vector>

namespace tvx {
namespace {

char FoldLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool SameCharacter(char a, char b, bool fold) { return fold ? FoldLetter(a) == FoldLetter(b) : a == b; }

// The recursive rules, computed bottom-up one pattern position at a time:
// stars over long names can neither exhaust the stack nor take
// exponential time. matches[j] tells whether pattern[i..] matches text[j..].
bool Match(std::string_view pattern, std::string_view text, bool fold) {
  const std::size_t n = text.size();
  std::vector<char> below(n + 1, 0);  // pattern[i + 1..]
  below[n] = 1;                       // both empty
  std::vector<char> row(n + 1, 0);
  for (std::size_t i = pattern.size(); i-- > 0;) {
    const char p = pattern[i];
    // An empty text matches only what is exactly "*".
    row[n] = p == '*' && i + 1 == pattern.size();
    for (std::size_t j = n; j-- > 0;) {
      if (p == '*') {
        row[j] = below[j] || row[j + 1];
      } else {
        row[j] = (p == '?' || SameCharacter(p, text[j], fold)) && below[j + 1];
      }
    }
    below.swap(row);
  }
  return below[0] != 0;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view text) { return Match(pattern, text, false); }

bool WildcardMatchNoCase(std::string_view pattern, std::string_view text) {
  return Match(pattern, text, true);
}

}  // namespace tvx
