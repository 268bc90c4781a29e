// Where the line reader takes its physical lines from: a plain text file
// or an encoded container.
#pragma once

#include <cstddef>
#include <string>

namespace tvx {

// The longest piece of a line read at once; longer lines come in pieces.
inline constexpr std::size_t kLinePieceLength = 499;

class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next piece of at most kLinePieceLength characters, ending after a
  // line feed when one comes first; false at the end with nothing read.
  virtual bool ReadPiece(std::string& piece) = 0;
};

}  // namespace tvx
