// Where the line reader takes its physical lines from: a plain text file
// or an encoded container.
#pragma once

#include <cstddef>
#include <string_view>

namespace tvx {

// The longest piece of a line read at once; longer lines come in pieces.
inline constexpr std::size_t kLinePieceLength = 499;

class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next piece of at most kLinePieceLength characters, a line feed that
  // ends it counted but left out of the text; false at the end with nothing
  // read. The text lasts until the next call.
  virtual bool ReadPiece(std::string_view& text) = 0;
};

}  // namespace tvx
