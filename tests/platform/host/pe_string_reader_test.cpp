// The string-table reader of PE images: the right string of the right
// block, and damaged tables refused without reading out of bounds.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/host/pe_version_reader.h"
#include "support/pe_strings_image.h"

namespace tvx::host {
namespace {

using testing::PeWithStringBlock;

TEST(PeStringReaderTest, FindsTheStringOfItsBlock) {
  struct Row {
    const char* name;
    std::uint32_t block;
    std::vector<std::string> strings;
    std::uint32_t id;
    std::optional<std::string> expected;
  };
  const Row rows[] = {
      {"id 1 is the second of block 1", 1, {"zero", "1.10", "two"}, 1, "1.10"},
      {"id 0 is the first", 1, {"zero", "1.10"}, 0, "zero"},
      {"id 15 is the last of block 1", 1, std::vector<std::string>(16, "x"), 15, "x"},
      {"id 17 lies in block 2", 2, {"sixteen", "seventeen"}, 17, "seventeen"},
      {"an empty string is no string", 1, {"zero", ""}, 1, std::nullopt},
      {"a block the image lacks", 1, {"zero", "one"}, 16, std::nullopt},
      {"Latin-1 bytes kept", 1, {"", "v\xE9rsion"}, 1, "v\xE9rsion"},
      {"an id beyond 16 bits", 1, {"zero", "one"}, 0x10001, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto image = PeWithStringBlock(row.block, row.strings);
    EXPECT_EQ(ReadPeString(image.bytes, row.id), row.expected);
  }
}

TEST(PeStringReaderTest, AUnitAboveLatinOneBecomesAQuestionMark) {
  auto image = PeWithStringBlock(1, {"", "ab"});
  // The second string's first unit, after the empty first one's length.
  const std::size_t unit = image.block_offset + 2 + 2;
  image.bytes[unit + 1] = 0x04;
  EXPECT_EQ(ReadPeString(image.bytes, 1), "?b");
}

TEST(PeStringReaderTest, DamagedTablesAreRefused) {
  struct Row {
    const char* name;
    std::size_t keep;  // bytes kept from the block's start; 0: all
    std::uint16_t first_length;
  };
  const Row rows[] = {
      {"the image ends inside the wanted string", 2 + 2 + 3, 0},
      {"the image ends before the wanted length", 3, 0},
      {"a length that runs past the image", 0, 0xFFFF},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto image = PeWithStringBlock(1, {"", "1.10"});
    if (row.keep) image.bytes.resize(image.block_offset + row.keep);
    if (row.first_length) {
      image.bytes[image.block_offset] = row.first_length & 0xFF;
      image.bytes[image.block_offset + 1] = row.first_length >> 8;
    }
    EXPECT_EQ(ReadPeString(image.bytes, 1), std::nullopt);
  }
}

TEST(PeStringReaderTest, AnImageWithoutResourcesHasNoStrings) {
  const std::vector<std::uint8_t> not_an_image = {'M', 'Z', 0, 0};
  EXPECT_EQ(ReadPeString(not_an_image, 1), std::nullopt);
  auto image = PeWithStringBlock(1, {"", "1.10"});
  image.bytes[0] = 'Z';
  EXPECT_EQ(ReadPeString(image.bytes, 1), std::nullopt);
}

}  // namespace
}  // namespace tvx::host
