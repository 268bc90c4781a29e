// The significant-line reader shared by the install script and the strings
// files: blank and comment lines skipped, leading blanks removed, every
// physical line counted for error reports.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "script/line_source.h"

namespace tvx {

class ScriptLineReader {
 public:
  explicit ScriptLineReader(std::unique_ptr<LineSource> source) : source_(std::move(source)) {}

  // The next significant line without its line feed; empty at the end of
  // the file. The view lasts until the next call.
  std::string_view NextSignificantLine();
  // Physical lines read since the file was opened, pieces of long lines
  // and skipped lines included.
  std::int32_t line_count() const { return line_count_; }

 private:
  std::unique_ptr<LineSource> source_;
  std::int32_t line_count_ = 0;
};

// Readers over bytes already in memory; the bytes must outlive the reader.
std::unique_ptr<ScriptLineReader> PlainReaderOfBytes(std::string_view bytes);
std::unique_ptr<ScriptLineReader> EncodedReaderOfBytes(std::string_view bytes);

}  // namespace tvx
