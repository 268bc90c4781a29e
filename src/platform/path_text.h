// Text operations on Windows paths (backslash-separated, ANSI).
#pragma once

#include <string>
#include <string_view>

namespace tvx {

// The path up to, not including, its last "\"; empty when it has none.
std::string_view UpToLastBackslash(std::string_view path);
// The part after the last "\" (the whole path when it has none).
std::string_view AfterLastBackslash(std::string_view path);
// directory + "\" + name.
std::string JoinPath(std::string_view directory, std::string_view name);
bool EndsWithBackslash(std::string_view path);
std::string_view WithoutFinalBackslash(std::string_view path);
// ASCII-only case folding, as the platform compares names.
std::string AsciiLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace tvx
