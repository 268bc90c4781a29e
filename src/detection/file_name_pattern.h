// The name patterns of the script's VITAL FILES and NON VITAL FILES lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvx {

// "*" matches any run of characters, none included; "?" any one character;
// a letter matches itself in either case, any other character only itself.
// An empty name matches only "*" (or an empty pattern).
bool NameMatchesPattern(std::string_view pattern, std::string_view name);
bool NameMatchesAny(const std::vector<std::string>& patterns, std::string_view name);

}  // namespace tvx
