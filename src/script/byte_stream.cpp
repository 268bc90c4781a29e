#include "script/byte_stream.h"

#include <algorithm>

namespace tvx {

ByteStream::ByteStream(std::unique_ptr<File> file) : file_(std::move(file)) {
  length_ = file_->Length();
  buffer_.resize(kBufferSize);
  next_ = end_ = buffer_.data();
}

ByteStream::ByteStream(std::string_view bytes)
    : next_(bytes.data()),
      end_(bytes.data() + bytes.size()),
      position_(bytes.size()),
      length_(bytes.size()) {}

bool ByteStream::Refill() {
  if (!file_ || failed_) return false;
  const File::ReadResult read = file_->Read(buffer_);
  if (read.error != FileError::None) failed_ = true;
  if (read.count == 0 || failed_) {
    next_ = end_ = buffer_.data();
    return false;
  }
  next_ = buffer_.data();
  end_ = next_ + read.count;
  position_ += read.count;
  return true;
}

std::size_t ByteStream::Read(std::string& out, std::size_t count) {
  std::size_t copied = 0;
  while (copied < count) {
    if (next_ == end_ && !Refill()) break;
    const std::size_t take = std::min<std::size_t>(count - copied, end_ - next_);
    out.append(next_, take);
    next_ += take;
    copied += take;
  }
  return copied;
}

bool ByteStream::Skip(std::uint64_t distance) {
  const std::uint64_t buffered = static_cast<std::uint64_t>(end_ - next_);
  if (distance <= buffered) {
    next_ += distance;
    return true;
  }
  next_ = end_;
  if (!file_) return true;
  const std::uint64_t beyond = distance - buffered;
  if (failed_ || beyond > static_cast<std::uint64_t>(INT64_MAX) ||
      !file_->Skip(static_cast<std::int64_t>(beyond))) {
    failed_ = true;
    return false;
  }
  position_ += beyond;
  return true;
}

std::uint64_t ByteStream::Remaining() {
  const std::uint64_t buffered = static_cast<std::uint64_t>(end_ - next_);
  return position_ >= length_ ? buffered : buffered + (length_ - position_);
}

}  // namespace tvx
