// Bytes read in order from an open file or from memory, with a forward
// skip; the readers of scripts and strings files sit on top of it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tvx {

class ByteStream {
 public:
  explicit ByteStream(std::unique_ptr<File> file);
  // Reads a view whose bytes must outlive the stream.
  explicit ByteStream(std::string_view bytes);

  // The next byte (0-255), or -1 at the end or after a read error.
  int Get() {
    if (next_ == end_ && !Refill()) return -1;
    return static_cast<unsigned char>(*next_++);
  }
  int Peek() {
    if (next_ == end_ && !Refill()) return -1;
    return static_cast<unsigned char>(*next_);
  }
  // Up to count bytes appended to out; fewer only at the end.
  std::size_t Read(std::string& out, std::size_t count);
  // Moves forward without reading; false when the file refuses the seek.
  // Skipping past the end is allowed: later reads find nothing.
  bool Skip(std::uint64_t distance);
  // Bytes left before the end, when the length is known.
  std::uint64_t Remaining();
  // How many bytes were taken from the start so far.
  std::uint64_t Offset() const { return position_ - static_cast<std::uint64_t>(end_ - next_); }

  // The buffered bytes not read yet, for scanners that take several at once.
  std::string_view Buffered() const { return {next_, static_cast<std::size_t>(end_ - next_)}; }
  void Consume(std::size_t count) { next_ += count; }
  bool Refill();

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  std::unique_ptr<File> file_;
  std::string buffer_;
  const char* next_ = nullptr;
  const char* end_ = nullptr;
  std::uint64_t position_ = 0;  // file offset of end_
  std::uint64_t length_ = 0;
  bool failed_ = false;
};

}  // namespace tvx
