// A plain text file read as the C runtime's text mode does: CR LF becomes
// LF and Ctrl-Z ends the file.
#pragma once

#include "script/byte_stream.h"
#include "script/line_source.h"

namespace tvx {

class PlainTextSource : public LineSource {
 public:
  explicit PlainTextSource(ByteStream stream) : stream_(std::move(stream)) {}
  bool ReadPiece(std::string& piece) override;

 private:
  ByteStream stream_;
  bool ended_ = false;
};

}  // namespace tvx
