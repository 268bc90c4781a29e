// The encoded script container: key, skip and data records, the text
// enciphered with a running key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "script/byte_stream.h"
#include "script/line_source.h"

namespace tvx {

namespace container {
inline constexpr std::uint8_t kKeyTag = 0x3B;
inline constexpr std::uint8_t kSkipTag = 0x51;
inline constexpr std::uint8_t kDataTag = 0xC8;
}  // namespace container

class EncodedScriptFile : public LineSource {
 public:
  explicit EncodedScriptFile(ByteStream stream);

  bool ReadPiece(std::string_view& text) override;
  // The next deciphered character of the text, or -1 at the end of data.
  int ReadChar();
  // Whether the header held a key record, that is, whether this is a container at all.
  bool keyed() const { return keyed_; }

  // Where the text stopped short of the file's end: a record cut by the end
  // of the file, or one of no known kind. Authors are told where; the
  // program itself reads what came before, as it always has.
  struct Break {
    std::uint64_t offset;  // of the record's tag
    bool cut;              // the file ends inside the record
  };
  const std::optional<Break>& broken() const { return broken_; }

 private:
  int ReadRaw() { return stream_.Get(); }
  int ReadDeciphered();
  bool ReadHeader();
  bool LoadNextRecord();
  bool Broken(std::uint64_t record, bool cut);
  bool ReadDistance(bool deciphered, std::int32_t& value);
  bool ObeySkip(std::int32_t distance);

  ByteStream stream_;
  std::uint8_t k0_ = 0, k1_ = 0, d0_ = 0, d1_ = 0;
  bool keyed_ = false;
  bool ended_ = false;
  std::uint32_t chunk_left_ = 0;
  std::string piece_;
  std::optional<Break> broken_;
};

}  // namespace tvx
