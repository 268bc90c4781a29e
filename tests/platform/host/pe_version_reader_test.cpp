// The version reader of PE images: real libraries made by the resource
// compiler, images built here for the layouts those do not show, and
// damaged images that must be refused without reading out of bounds.
#include "platform/host/pe_version_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixtures.h"

namespace tvx::host {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Fixture(const std::string& name) {
  const std::string text = testing::ReadFixture("pe_version/" + name);
  return Bytes(text.begin(), text.end());
}

void Put16(Bytes& image, std::size_t at, std::uint32_t value) {
  if (image.size() < at + 2) image.resize(at + 2);
  image[at] = value & 0xFF;
  image[at + 1] = (value >> 8) & 0xFF;
}

void Put32(Bytes& image, std::size_t at, std::uint32_t value) {
  Put16(image, at, value & 0xFFFF);
  Put16(image, at + 2, value >> 16);
}

std::uint32_t Get32(const Bytes& image, std::size_t at) {
  return image[at] | image[at + 1] << 8 | image[at + 2] << 16 |
         static_cast<std::uint32_t>(image[at + 3]) << 24;
}

struct ImageShape {
  bool pe32_plus = false;
  bool sixteen_bit_block = false;
  std::uint32_t resource_name = 1;
  bool named_entry_first = false;
  std::uint32_t most = 0x00050006, least = 0x00020010;
};

// Writes one resource directory with a named entry (optional) and one
// numbered entry; answers where it ends.
std::size_t Directory(Bytes& image, std::size_t at, bool named, std::uint32_t id, std::uint32_t target) {
  Put16(image, at + 12, named ? 1 : 0);
  Put16(image, at + 14, 1);
  std::size_t entry = at + 16;
  if (named) {
    Put32(image, entry, 0x80000000 | 0x300);  // a name string nobody reads
    Put32(image, entry + 4, 0x80000000);      // pointing back at the root
    entry += 8;
  }
  Put32(image, entry, id);
  Put32(image, entry + 4, target);
  return entry + 8;
}

// The version block, in the 32-bit layout (UTF-16 key, a type word) or the
// 16-bit one (ANSI key).
void VersionBlock(Bytes& image, std::size_t at, const ImageShape& shape) {
  const std::string key = "VS_VERSION_INFO";
  std::size_t value = 0;
  if (shape.sixteen_bit_block) {
    for (std::size_t i = 0; i < key.size(); ++i) image[at + 4 + i] = key[i];
    value = (4 + key.size() + 1 + 3) & ~std::size_t{3};
  } else {
    for (std::size_t i = 0; i < key.size(); ++i) Put16(image, at + 6 + 2 * i, key[i]);
    value = (6 + 2 * (key.size() + 1) + 3) & ~std::size_t{3};
  }
  Put16(image, at, static_cast<std::uint32_t>(value + 52));
  Put16(image, at + 2, 52);
  Put32(image, at + value, 0xFEEF04BD);
  Put32(image, at + value + 4, 0x00010000);
  Put32(image, at + value + 8, shape.most);
  Put32(image, at + value + 12, shape.least);
}

Bytes BuildImage(const ImageShape& shape) {
  constexpr std::size_t kPe = 0x40, kRaw = 0x200, kRva = 0x1000, kSize = 0x200;
  Bytes image(kRaw + kSize, 0);
  image[0] = 'M';
  image[1] = 'Z';
  Put32(image, 0x3C, kPe);
  Put32(image, kPe, 0x00004550);
  Put16(image, kPe + 4, shape.pe32_plus ? 0x8664 : 0x14C);
  Put16(image, kPe + 6, 1);
  const std::size_t optional = kPe + 24, optional_size = shape.pe32_plus ? 240 : 224;
  Put16(image, kPe + 20, static_cast<std::uint32_t>(optional_size));
  Put16(image, optional, shape.pe32_plus ? 0x20B : 0x10B);
  const std::size_t count_at = optional + (shape.pe32_plus ? 108 : 92);
  Put32(image, count_at, 16);
  Put32(image, count_at + 4 + 16, kRva);
  Put32(image, count_at + 4 + 20, kSize);
  const std::size_t section = optional + optional_size;
  for (int i = 0; i < 5; ++i) image[section + i] = ".rsrc"[i];
  Put32(image, section + 8, kSize);
  Put32(image, section + 12, kRva);
  Put32(image, section + 16, kSize);
  Put32(image, section + 20, kRaw);
  // Root, then name, then language, then the data entry and the block.
  Directory(image, kRaw, shape.named_entry_first, 16, 0x80000000 | 0x40);
  Directory(image, kRaw + 0x40, false, shape.resource_name, 0x80000000 | 0x80);
  Directory(image, kRaw + 0x80, false, 0x409, 0xC0);
  Put32(image, kRaw + 0xC0, kRva + 0x100);
  Put32(image, kRaw + 0xC4, 0x100);
  VersionBlock(image, kRaw + 0x100, shape);
  return image;
}

TEST(PeVersionReader, ReadsTheLibrariesOfTheResourceCompiler) {
  const std::vector<std::pair<const char*, std::optional<FileVersionNumber>>> rows = {
      {"ir41_32-4.11.15.91.dll", FileVersionNumber{0x0004000B, 0x000F005B}},
      {"ir41_32-4.2.0.0.dll", FileVersionNumber{0x00040002, 0}},
      {"ir50_32-5.6.2.15.dll", FileVersionNumber{0x00050006, 0x0002000F}},
      {"highest-65535.dll", FileVersionNumber{0xFFFFFFFF, 0xFFFFFFFF}},
      {"named-2-1.2.3.4.dll", std::nullopt},  // Windows asks for resource 1 only
      {"no-version.dll", std::nullopt},
      {"make-fixtures.sh", std::nullopt},
  };
  for (const auto& [name, expected] : rows) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadPeFileVersion(Fixture(name)), expected);
  }
}

TEST(PeVersionReader, ReadsTheLayoutsBuiltHere) {
  struct Row {
    const char* label;
    ImageShape shape;
    bool found;
  };
  const std::vector<Row> rows = {
      {"PE32 with the 32-bit block", {}, true},
      {"PE32+ (a 64-bit library)", {.pe32_plus = true}, true},
      {"the 16-bit block layout", {.sixteen_bit_block = true}, true},
      {"a named type before the numbered ones", {.named_entry_first = true}, true},
      {"resource name 2", {.resource_name = 2}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const auto version = ReadPeFileVersion(BuildImage(row.shape));
    ASSERT_EQ(version.has_value(), row.found);
    if (row.found) {
      EXPECT_EQ(version->most_significant, row.shape.most);
      EXPECT_EQ(version->least_significant, row.shape.least);
    }
  }
}

TEST(PeVersionReader, RefusesDamagedImages) {
  struct Row {
    const char* label;
    std::size_t at;
    int width;
    std::uint32_t value;
  };
  // Offsets in the image built with the default shape.
  const std::vector<Row> rows = {
      {"no MZ", 0, 2, 0x5A4E},
      {"the PE header past the end", 0x3C, 4, 0x7FFFFFF0},
      {"no PE signature", 0x40, 4, 0x00004551},
      {"an unknown optional header", 0x58, 2, 0x0107},
      {"only two data directories", 0x58 + 92, 4, 2},
      {"no resource directory", 0x58 + 112, 4, 0},
      {"resources outside every section", 0x58 + 112, 4, 0x5000},
      {"the section's data past the end", 0x58 + 224 + 20, 4, 0xFFFFFF00},
      {"a huge count of named entries first", 0x200 + 12, 2, 0xFFFF},
      {"the type entry is not a directory", 0x200 + 20, 4, 0x40},
      {"the name directory past the section", 0x200 + 20, 4, 0x80000000 | 0x7FFFFFF0},
      {"the language entry is a directory", 0x280 + 20, 4, 0x800000C0},
      {"the data outside the image", 0x2C0, 4, 0xFFFFFFF0},
      {"a block shorter than its value", 0x300, 2, 40},
      {"a value shorter than the fixed information", 0x302, 2, 51},
      {"a wrong signature", 0x300 + 40, 4, 0xFEEF04BC},
  };
  ASSERT_TRUE(ReadPeFileVersion(BuildImage({})).has_value());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Bytes image = BuildImage({});
    if (row.width == 2)
      Put16(image, row.at, row.value);
    else
      Put32(image, row.at, row.value);
    EXPECT_FALSE(ReadPeFileVersion(image).has_value());
  }
}

TEST(PeVersionReader, SurvivesEveryTruncation) {
  const Bytes image = Fixture("ir41_32-4.11.15.91.dll");
  std::size_t shortest = image.size();
  for (std::size_t length = 0; length <= image.size(); ++length) {
    const Bytes prefix(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length));
    const auto version = ReadPeFileVersion(prefix);
    if (version) {
      EXPECT_EQ(version->most_significant, 0x0004000Bu);
      shortest = std::min(shortest, length);
    }
  }
  // The fixed information ends inside the resource section's data.
  const std::uint32_t signature_at = [&] {
    for (std::size_t i = 0; i + 4 <= image.size(); ++i)
      if (Get32(image, i) == 0xFEEF04BD) return static_cast<std::uint32_t>(i);
    return 0u;
  }();
  ASSERT_NE(signature_at, 0u);
  EXPECT_GE(shortest, signature_at + 16);
}

}  // namespace
}  // namespace tvx::host
