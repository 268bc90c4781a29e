// Whole-text matching of file names against "*" and "?" patterns.
#pragma once

#include <string_view>

namespace tvx {

// "*" matches any run of characters, none included, "?" any one character,
// anything else itself. An empty text matches only an empty pattern or "*".
bool WildcardMatch(std::string_view pattern, std::string_view text);
// The same with the letters A-Z and a-z compared without regard to case.
bool WildcardMatchNoCase(std::string_view pattern, std::string_view text);

}  // namespace tvx
