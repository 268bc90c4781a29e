#include "platform/host/escaped_text.h"

namespace tvx::host {

std::string EscapedText(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kDigits[byte >> 4];
          out += kDigits[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace tvx::host
