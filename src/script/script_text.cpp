#include "script/script_text.h"

#include <algorithm>
#include <limits>

namespace tvx {

Field SplitField(std::string_view line, int n) {
  std::size_t start = 0;
  for (int field = 1;; ++field) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) return {line.substr(start), false};
    if (field >= n) return {line.substr(start, comma - start), true};
    start = comma + 1;
  }
}

std::int32_t ParseWholeNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value <= kLimit) value = value * 10 + (text[i] - '0');
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::int16_t ParseShortNumber(std::string_view text) {
  return static_cast<std::int16_t>(ParseWholeNumber(text));
}

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlankOrTab(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrTab(text.back())) text.remove_suffix(1);
  return text;
}

std::int32_t BlocksOfBytes(std::int64_t bytes) {
  if (bytes <= 0) return 0;
  const std::int64_t blocks = bytes / 512 + (bytes % 512 != 0 ? 1 : 0);
  return static_cast<std::int32_t>(std::min<std::int64_t>(blocks, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace tvx
