// Small text rules shared by the script and strings readers: fields,
// numbers, trimming and block sizes.
#pragma once

#include <cstdint>
#include <string_view>

namespace tvx {

struct Field {
  std::string_view text;
  bool comma_follows = false;
};

// The n-th comma-separated field (1-based). With fewer than n commas the
// text after the last comma, with no comma following.
Field SplitField(std::string_view line, int n);

// A decimal whole number as the C library reads one: leading white space,
// an optional sign, digits up to the first other character; no digits
// give 0, and values beyond 32 bits stop at the nearest limit.
std::int32_t ParseWholeNumber(std::string_view text);
// The same number kept in 16 bits, as the script's short fields hold it.
std::int16_t ParseShortNumber(std::string_view text);

bool IsBlankOrTab(char c);
std::string_view TrimBlanks(std::string_view text);

// Bytes to blocks of 512, a part block counting whole; a negative size
// counts as nothing.
std::int32_t BlocksOfBytes(std::int64_t bytes);

}  // namespace tvx
