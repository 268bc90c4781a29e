#include "encoded_script_writer.h"

#include <algorithm>

#include "script/encoded_script_file.h"

namespace tvx::authoring {
namespace {

class Encipherer {
 public:
  explicit Encipherer(const ContainerLayout& layout)
      : k0_(layout.k0), k1_(layout.k1), d0_(layout.d0), d1_(layout.d1) {}

  void Put(std::string& out, std::uint8_t plain) {
    out.push_back(static_cast<char>(static_cast<std::uint8_t>((plain ^ k1_) + k0_)));
    k0_ = static_cast<std::uint8_t>(k0_ + d0_);
    k1_ = static_cast<std::uint8_t>(k1_ + d1_);
  }
  void PutNumber(std::string& out, std::uint32_t number) {
    for (int i = 0; i < 4; ++i) Put(out, static_cast<std::uint8_t>(number >> (8 * i)));
  }

 private:
  std::uint8_t k0_, k1_, d0_, d1_;
};

void PutRawNumber(std::string& out, std::uint32_t number) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(static_cast<std::uint8_t>(number >> (8 * i))));
}

// Filler is never read; any bytes do, but fixed ones keep files reproducible.
void PutFiller(std::string& out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
}

}  // namespace

std::string WriteEncodedScript(std::string_view text, const ContainerLayout& layout) {
  std::string out;
  if (layout.header_filler > 0) {
    out.push_back(static_cast<char>(container::kSkipTag));
    PutRawNumber(out, static_cast<std::uint32_t>(layout.header_filler));
    PutFiller(out, layout.header_filler);
  }
  out.push_back(static_cast<char>(container::kKeyTag));
  for (const std::uint8_t byte : {layout.k0, layout.k1, layout.d0, layout.d1})
    out.push_back(static_cast<char>(byte));
  Encipherer cipher(layout);
  const std::size_t chunk = std::max<std::size_t>(layout.chunk_size, 1);
  for (std::size_t start = 0; start < text.size(); start += chunk) {
    if (layout.body_filler > 0) {
      cipher.Put(out, container::kSkipTag);
      cipher.PutNumber(out, static_cast<std::uint32_t>(layout.body_filler));
      PutFiller(out, layout.body_filler);
    }
    const std::string_view piece = text.substr(start, chunk);
    cipher.Put(out, container::kDataTag);
    cipher.PutNumber(out, static_cast<std::uint32_t>(piece.size()));
    for (const char c : piece) cipher.Put(out, static_cast<std::uint8_t>(c));
  }
  return out;
}

}  // namespace tvx::authoring
