#include "support/pe_strings_image.h"

namespace tvx::testing {
namespace {

constexpr std::size_t kPeHeader = 0x40;
constexpr std::size_t kOptionalHeader = kPeHeader + 24;
constexpr std::size_t kOptionalSize = 224;
constexpr std::size_t kSectionTable = kOptionalHeader + kOptionalSize;
constexpr std::size_t kSectionData = 0x200;
constexpr std::uint32_t kSectionAddress = 0x1000;

void Put16(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
  if (image.size() < at + 2) image.resize(at + 2);
  image[at] = value & 0xFF;
  image[at + 1] = (value >> 8) & 0xFF;
}

void Put32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
  Put16(image, at, value & 0xFFFF);
  Put16(image, at + 2, value >> 16);
}

// A directory with one numbered entry pointing at offset.
void Directory(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t id, std::uint32_t offset) {
  Put16(image, kSectionData + at + 14, 1);
  Put32(image, kSectionData + at + 16, id);
  Put32(image, kSectionData + at + 20, offset);
}

}  // namespace

StringBlockImage PeWithStringBlock(std::uint32_t block, const std::vector<std::string>& strings,
                                   const std::string& trailer) {
  std::vector<std::uint8_t> image(kSectionData, 0);
  image[0] = 'M';
  image[1] = 'Z';
  Put32(image, 0x3C, kPeHeader);
  Put32(image, kPeHeader, 0x00004550);
  Put16(image, kPeHeader + 4, 0x14C);
  Put16(image, kPeHeader + 6, 1);
  Put16(image, kPeHeader + 20, kOptionalSize);
  Put16(image, kOptionalHeader, 0x10B);
  Put32(image, kOptionalHeader + 92, 16);
  // Root, name and language levels, then the data entry and the strings.
  constexpr std::uint32_t kSubdirectory = 0x80000000;
  Directory(image, 0, 6, kSubdirectory | 24);
  Directory(image, 24, block, kSubdirectory | 48);
  Directory(image, 48, 0x409, 72);
  constexpr std::size_t kData = 88;
  std::size_t at = kSectionData + kData;
  for (std::size_t i = 0; i < 16; ++i) {
    const std::string text = i < strings.size() ? strings[i] : std::string();
    Put16(image, at, static_cast<std::uint32_t>(text.size()));
    at += 2;
    for (unsigned char c : text) {
      Put16(image, at, c);
      at += 2;
    }
  }
  const std::uint32_t data_size = static_cast<std::uint32_t>(at - kSectionData - kData);
  Put32(image, kSectionData + 72, kSectionAddress + kData);
  Put32(image, kSectionData + 76, data_size);
  const std::uint32_t section_size = static_cast<std::uint32_t>(at - kSectionData);
  Put32(image, kOptionalHeader + 96 + 16, kSectionAddress);
  Put32(image, kOptionalHeader + 96 + 20, section_size);
  Put32(image, kSectionTable + 8, section_size);
  Put32(image, kSectionTable + 12, kSectionAddress);
  Put32(image, kSectionTable + 16, section_size);
  Put32(image, kSectionTable + 20, kSectionData);
  image.insert(image.end(), trailer.begin(), trailer.end());
  return {image, kSectionData + kData};
}

}  // namespace tvx::testing
