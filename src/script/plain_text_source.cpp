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

bool Holds(std::string_view bytes, char c) { return bytes.find(c) != std::string_view::npos; }

}  // namespace

bool PlainTextSource::ReadPiece(std::string_view& text) {
  if (ended_) return false;
  return ReadWholeLineInPlace(text) || ReadTranslated(text);
}

// Most lines lie whole in the buffer and end in LF or CR LF: they are
// handed out where they are, without a copy.
bool PlainTextSource::ReadWholeLineInPlace(std::string_view& text) {
  const std::string_view buffered = stream_.Buffered();
  const std::size_t line_feed = buffered.substr(0, kLinePieceLength).find('\n');
  if (line_feed == std::string_view::npos) return false;
  std::string_view line = buffered.substr(0, line_feed);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (Holds(line, '\r') || Holds(line, kEndOfFileMark)) return false;
  stream_.Consume(line_feed + 1);
  text = line;
  return true;
}

bool PlainTextSource::ReadTranslated(std::string_view& text) {
  piece_.clear();
  bool line_feed = false;
  while (!ended_ && !line_feed && piece_.size() < kLinePieceLength) {
    const std::string_view buffered = stream_.Buffered();
    if (buffered.empty()) {
      if (!stream_.Refill()) ended_ = true;
      continue;
    }
    const std::string_view window = buffered.substr(0, kLinePieceLength - piece_.size());
    const std::size_t run = PlainRun(window);
    piece_.append(window.data(), run);
    stream_.Consume(run);
    if (run == window.size()) continue;
    const char stop = window[run];
    stream_.Consume(1);
    if (stop == kEndOfFileMark)
      ended_ = true;
    else if (stop == '\n')
      line_feed = true;
    else if (stream_.Peek() != '\n')
      piece_.push_back('\r');  // only a CR before LF belongs to the line end
  }
  text = piece_;
  return line_feed || !piece_.empty();
}

}  // namespace tvx
