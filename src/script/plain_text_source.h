// A plain text file read as the C runtime's text mode does: CR LF becomes
// LF and Ctrl-Z ends the file.
#pragma once

#include <string>

#include "script/byte_stream.h"
#include "script/line_source.h"

namespace tvx {

class PlainTextSource : public LineSource {
 public:
  explicit PlainTextSource(ByteStream stream) : stream_(std::move(stream)) {}
  bool ReadPiece(std::string_view& text) override;

 private:
  bool ReadWholeLineInPlace(std::string_view& text);
  bool ReadTranslated(std::string_view& text);

  ByteStream stream_;
  std::string piece_;
  bool ended_ = false;
};

}  // namespace tvx
