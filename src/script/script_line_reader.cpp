#include "script/script_line_reader.h"

#include <limits>

#include "script/encoded_script_file.h"
#include "script/plain_text_source.h"

namespace tvx {

std::string_view ScriptLineReader::NextSignificantLine() {
  std::string_view line;
  while (source_->ReadPiece(line)) {
    if (line_count_ < std::numeric_limits<std::int32_t>::max()) ++line_count_;
    // C text routines end a line at a zero byte; so does this reader.
    if (const std::size_t zero = line.find('\0'); zero != std::string_view::npos) line = line.substr(0, zero);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) continue;
    line.remove_prefix(first);
    if (line.starts_with("//")) continue;
    return line;
  }
  return {};
}

std::unique_ptr<ScriptLineReader> PlainReaderOfBytes(std::string_view bytes) {
  return std::make_unique<ScriptLineReader>(std::make_unique<PlainTextSource>(ByteStream(bytes)));
}

std::unique_ptr<ScriptLineReader> EncodedReaderOfBytes(std::string_view bytes) {
  return std::make_unique<ScriptLineReader>(std::make_unique<EncodedScriptFile>(ByteStream(bytes)));
}

}  // namespace tvx
