#include "script/plain_text_source.h"

#include <algorithm>

namespace tvx {
namespace {

constexpr char kEndOfFileMark = '\x1A';

std::size_t PlainRun(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r' && bytes[i] != kEndOfFileMark) ++i;
  return i;
}

}  // namespace

bool PlainTextSource::ReadPiece(std::string& piece) {
  piece.clear();
  while (!ended_ && piece.size() < kLinePieceLength) {
    const std::string_view buffered = stream_.Buffered();
    if (buffered.empty()) {
      if (!stream_.Refill()) ended_ = true;
      continue;
    }
    const std::string_view window = buffered.substr(0, kLinePieceLength - piece.size());
    const std::size_t run = PlainRun(window);
    piece.append(window.data(), run);
    stream_.Consume(run);
    if (run == window.size()) continue;
    const char stop = window[run];
    stream_.Consume(1);
    if (stop == kEndOfFileMark) {
      ended_ = true;
    } else if (stop == '\n') {
      piece.push_back('\n');
      break;
    } else if (stream_.Peek() != '\n') {
      piece.push_back('\r');  // only a CR before LF belongs to the line end
    }
  }
  return !piece.empty();
}

}  // namespace tvx
