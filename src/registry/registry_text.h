// The line rules of the product registry file and its text as it lies on
// disk: reading it into a line list and writing a line list back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

// A line that contains "[" (anywhere) or is empty ends a section.
bool IsBoundary(std::string_view line);
// Only spaces and tabs, or "//" after leading spaces and tabs.
bool IsInsignificant(std::string_view line);
std::string_view WithoutLeadingBlanks(std::string_view line);
// The text before the first "=", or the whole line; never trimmed.
std::string_view KeyOf(std::string_view line);
// True when the text holds the needle, ASCII letters compared without case;
// the needle must already be lower case.
bool ContainsLowerNeedle(std::string_view text, std::string_view lower_needle);

// The non-empty lines of the file, without their line ends. A CR is part of
// the line end only right before a LF; every other byte is kept.
std::vector<std::string> ParseRegistryText(std::string_view text);
// The file as a save writes it: the system section first, then every other
// line in order with an empty line before each header; lines end in CR LF.
std::string FormatRegistryText(const std::vector<std::string>& lines, std::string_view system_section);

}  // namespace tvx
