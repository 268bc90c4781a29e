#include "platform/dib_image.h"

namespace tvx {
namespace {

std::int64_t Le(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return size == 4 ? static_cast<std::int32_t>(value) : static_cast<std::int16_t>(value);
}

void ReadIndices(std::string_view rows, DibImage& image, bool bottom_up) {
  const std::size_t stride = ((static_cast<std::size_t>(image.width) * image.bits_per_pixel + 31) / 32) * 4;
  const int per_byte = 8 / image.bits_per_pixel;
  const int mask = (1 << image.bits_per_pixel) - 1;
  image.indices.resize(static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const std::size_t row = (bottom_up ? image.height - 1 - y : y) * stride;
    for (int x = 0; x < image.width; ++x) {
      const auto byte = static_cast<std::uint8_t>(rows[row + x / per_byte]);
      const int shift = 8 - image.bits_per_pixel * (x % per_byte + 1);
      image.indices[static_cast<std::size_t>(y) * image.width + x] =
          static_cast<std::uint8_t>(byte >> shift & mask);
    }
  }
}

}  // namespace

std::optional<DibImage> ParseDib(std::string_view bytes) {
  constexpr std::size_t kHeader = 40;
  if (bytes.size() < kHeader || Le(bytes, 0, 4) < static_cast<std::int64_t>(kHeader)) return std::nullopt;
  DibImage image;
  image.width = static_cast<int>(Le(bytes, 4, 4));
  const std::int64_t height = Le(bytes, 8, 4);
  image.bits_per_pixel = static_cast<int>(Le(bytes, 14, 2));
  const std::int64_t compression = Le(bytes, 16, 4);
  const std::size_t header = static_cast<std::size_t>(Le(bytes, 0, 4));
  if (image.width <= 0 || height == 0 || height < -65535 || height > 65535 || image.width > 65535 ||
      compression != 0 || header > bytes.size())
    return std::nullopt;
  image.height = static_cast<int>(height < 0 ? -height : height);
  if (image.bits_per_pixel > 8) return image;
  if (image.bits_per_pixel != 1 && image.bits_per_pixel != 4 && image.bits_per_pixel != 8)
    return std::nullopt;
  const std::size_t count = std::size_t{1} << image.bits_per_pixel;
  const std::size_t stride = ((static_cast<std::size_t>(image.width) * image.bits_per_pixel + 31) / 32) * 4;
  const std::size_t pixels_at = header + count * 4;
  if (pixels_at > bytes.size() ||
      (bytes.size() - pixels_at) / stride < static_cast<std::size_t>(image.height))
    return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = header + i * 4;
    image.colours.push_back({static_cast<std::uint8_t>(bytes[at + 2]),
                             static_cast<std::uint8_t>(bytes[at + 1]), static_cast<std::uint8_t>(bytes[at]),
                             0});
  }
  ReadIndices(bytes.substr(pixels_at), image, height > 0);
  return image;
}

}  // namespace tvx
