// Reads an entry of an initialization file (SYSTEM.INI and the like) with
// the rules of GetPrivateProfileStringA, for the simulated machine.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tvx::host {

// What GetPrivateProfileStringA copies into a buffer of buffer_size bytes:
// the entry's value, or the default when the file (nullopt), the section or
// the key is missing. Sections and keys match without regard to ASCII
// case; surrounding blanks and one pair of matching quotes are removed.
std::string LookupProfileText(const std::optional<std::string_view>& file_text, std::string_view section,
                              std::string_view key, std::string_view default_text, std::size_t buffer_size);

// The file's text after WritePrivateProfileStringA sets the entry: the
// value replaces the one of the key's first line in the first section of
// that name (both matched as the reader matches them), or the key is added
// after the section's last entry, or the section is added at the end.
// Every other byte of the text stays.
std::string WithProfileEntry(std::string_view file_text, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace tvx::host
