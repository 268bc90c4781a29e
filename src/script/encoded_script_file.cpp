#include "script/encoded_script_file.h"

namespace tvx {

EncodedScriptFile::EncodedScriptFile(ByteStream stream) : stream_(std::move(stream)) {
  ended_ = !ReadHeader();
}

int EncodedScriptFile::ReadDeciphered() {
  const int cipher = stream_.Get();
  if (cipher < 0) return -1;
  const std::uint8_t plain = static_cast<std::uint8_t>((cipher - k0_) ^ k1_);
  k0_ = static_cast<std::uint8_t>(k0_ + d0_);
  k1_ = static_cast<std::uint8_t>(k1_ + d1_);
  return plain;
}

bool EncodedScriptFile::ReadDistance(bool deciphered, std::int32_t& value) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) {
    const int byte = deciphered ? ReadDeciphered() : ReadRaw();
    if (byte < 0) return false;
    bits |= static_cast<std::uint32_t>(byte) << (8 * i);
  }
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool EncodedScriptFile::ObeySkip(std::int32_t distance) {
  // Filler only ever lies ahead: a backward skip could loop for ever, so it
  // ends the data instead.
  return distance >= 0 && stream_.Skip(static_cast<std::uint64_t>(distance));
}

bool EncodedScriptFile::Broken(std::uint64_t record, bool cut) {
  broken_ = Break{record, cut};
  return false;
}

bool EncodedScriptFile::ReadHeader() {
  for (;;) {
    const std::uint64_t record = stream_.Offset();
    const int tag = ReadRaw();
    std::int32_t distance = 0;
    if (tag == container::kSkipTag) {
      if (!ReadDistance(false, distance)) return Broken(record, true);
      if (distance >= 0 && stream_.Remaining() < static_cast<std::uint64_t>(distance))
        return Broken(record, true);
      if (!ObeySkip(distance)) return Broken(record, false);
    } else if (tag == container::kKeyTag) {
      const int b0 = ReadRaw(), b1 = ReadRaw(), b2 = ReadRaw(), b3 = ReadRaw();
      if (b3 < 0) return Broken(record, true);
      k0_ = static_cast<std::uint8_t>(b0);
      k1_ = static_cast<std::uint8_t>(b1);
      d0_ = static_cast<std::uint8_t>(b2);
      d1_ = static_cast<std::uint8_t>(b3);
      keyed_ = true;
      return true;
    } else {
      return Broken(record, tag < 0);
    }
  }
}

bool EncodedScriptFile::LoadNextRecord() {
  for (;;) {
    const std::uint64_t record = stream_.Offset();
    const int tag = ReadDeciphered();
    std::int32_t value = 0;
    if (tag == container::kSkipTag) {
      if (!ReadDistance(true, value)) return Broken(record, true);
      if (value >= 0 && stream_.Remaining() < static_cast<std::uint64_t>(value)) return Broken(record, true);
      if (!ObeySkip(value)) return Broken(record, false);
    } else if (tag == container::kDataTag) {
      if (!ReadDistance(true, value)) return Broken(record, true);
      const std::uint32_t length = static_cast<std::uint32_t>(value);
      // A record cut short is dropped whole, as a short read of it would be;
      // checking first keeps a forged length from reserving memory.
      if (stream_.Remaining() < length) return Broken(record, true);
      chunk_left_ = length;
      if (length > 0) return true;
    } else {
      return tag < 0 ? false : Broken(record, false);
    }
  }
}

int EncodedScriptFile::ReadChar() {
  while (chunk_left_ == 0) {
    if (ended_) return -1;
    if (!LoadNextRecord()) {
      ended_ = true;
      return -1;
    }
  }
  --chunk_left_;
  const int c = ReadDeciphered();
  if (c < 0) {
    ended_ = true;
    chunk_left_ = 0;
  }
  return c;
}

bool EncodedScriptFile::ReadPiece(std::string_view& text) {
  piece_.clear();
  bool line_feed = false;
  while (!line_feed && piece_.size() < kLinePieceLength) {
    const int c = ReadChar();
    if (c < 0) break;
    if (c == '\r') continue;
    if (c == '\n')
      line_feed = true;
    else
      piece_.push_back(static_cast<char>(c));
  }
  text = piece_;
  return line_feed || !piece_.empty();
}

}  // namespace tvx
