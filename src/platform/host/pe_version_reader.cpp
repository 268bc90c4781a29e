#include "platform/host/pe_version_reader.h"

#include <algorithm>
#include <vector>

namespace tvx::host {
namespace {

constexpr std::uint32_t kResourceTypeString = 6;    // RT_STRING
constexpr std::uint32_t kResourceTypeVersion = 16;  // RT_VERSION
constexpr std::uint32_t kVersionResourceName = 1;   // VS_VERSION_INFO
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoSize = 52;
constexpr std::uint32_t kSubdirectoryBit = 0x80000000;

// A window on the image; every read outside it answers nullopt.
class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}

  bool Has(std::uint64_t offset, std::uint64_t size) const {
    return offset <= data_.size() && size <= data_.size() - offset;
  }
  std::optional<std::uint8_t> U8(std::uint64_t offset) const {
    if (!Has(offset, 1)) return std::nullopt;
    return data_[offset];
  }
  std::optional<std::uint16_t> U16(std::uint64_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(data_[offset]) | static_cast<std::uint32_t>(data_[offset + 1]) << 8 |
           static_cast<std::uint32_t>(data_[offset + 2]) << 16 |
           static_cast<std::uint32_t>(data_[offset + 3]) << 24;
  }
  // The bytes from offset on, at most size of them.
  Bytes Sub(std::uint64_t offset, std::uint64_t size) const {
    if (offset > data_.size()) return Bytes({});
    return Bytes(data_.subspan(offset, std::min<std::uint64_t>(size, data_.size() - offset)));
  }

 private:
  std::span<const std::uint8_t> data_;
};

struct Section {
  std::uint32_t virtual_address = 0;
  std::uint32_t raw_size = 0;
  std::uint32_t raw_offset = 0;
};

struct PeLayout {
  std::vector<Section> sections;
  std::uint32_t resource_rva = 0;
};

// The resource directory's place among the optional header's directories.
std::optional<std::uint64_t> ResourceEntryOffset(const Bytes& image, std::uint64_t optional_header,
                                                 std::uint16_t optional_size) {
  const auto magic = image.U16(optional_header);
  if (!magic || (*magic != 0x10B && *magic != 0x20B)) return std::nullopt;
  const std::uint64_t count_at = *magic == 0x10B ? 92 : 108;  // PE32 or PE32+
  const auto count = image.U32(optional_header + count_at);
  const std::uint64_t entry = count_at + 4 + 2 * 8;  // the third directory
  if (!count || *count < 3 || entry + 8 > optional_size) return std::nullopt;
  return optional_header + entry;
}

std::optional<PeLayout> ReadLayout(const Bytes& image) {
  if (image.U16(0) != 0x5A4D) return std::nullopt;  // "MZ"
  const auto pe = image.U32(0x3C);
  if (!pe || image.U32(*pe) != 0x00004550) return std::nullopt;  // "PE\0\0"
  const auto section_count = image.U16(*pe + 6);
  const auto optional_size = image.U16(*pe + 20);
  if (!section_count || !optional_size) return std::nullopt;
  const std::uint64_t optional_header = *pe + 24;
  const auto entry = ResourceEntryOffset(image, optional_header, *optional_size);
  if (!entry) return std::nullopt;
  PeLayout layout;
  layout.resource_rva = image.U32(*entry).value_or(0);
  if (layout.resource_rva == 0) return std::nullopt;
  const std::uint64_t table = optional_header + *optional_size;
  if (!image.Has(table, std::uint64_t{*section_count} * 40)) return std::nullopt;
  for (std::uint64_t i = 0; i < *section_count; ++i) {
    const std::uint64_t at = table + i * 40;
    layout.sections.push_back({*image.U32(at + 12), *image.U32(at + 16), *image.U32(at + 20)});
  }
  return layout;
}

// Where an address of the loaded image lies in the file, with the bytes of
// its section that follow it.
std::optional<Bytes> MapAddress(const Bytes& image, const PeLayout& layout, std::uint32_t rva) {
  for (const Section& section : layout.sections) {
    if (rva < section.virtual_address || rva - section.virtual_address >= section.raw_size) continue;
    const std::uint32_t into = rva - section.virtual_address;
    return image.Sub(std::uint64_t{section.raw_offset} + into, section.raw_size - into);
  }
  return std::nullopt;
}

// The entry of a resource directory with that number, or the first entry
// when no number is asked; answers its offset field.
std::optional<std::uint32_t> FindEntry(const Bytes& resources, std::uint32_t directory,
                                       std::optional<std::uint32_t> id) {
  const auto named = resources.U16(std::uint64_t{directory} + 12);
  const auto numbered = resources.U16(std::uint64_t{directory} + 14);
  if (!named || !numbered) return std::nullopt;
  const std::uint32_t total = std::uint32_t{*named} + *numbered;
  for (std::uint32_t i = id ? *named : 0; i < total; ++i) {
    const std::uint64_t at = std::uint64_t{directory} + 16 + std::uint64_t{i} * 8;
    const auto name = resources.U32(at);
    const auto offset = resources.U32(at + 4);
    if (!name || !offset) return std::nullopt;
    if (!id || *name == *id) return offset;
  }
  return std::nullopt;
}

// A resource's data entry: its type, its name, the first language.
std::optional<std::uint32_t> ResourceDataEntry(const Bytes& resources, std::uint32_t type_id,
                                               std::uint32_t name_id) {
  const auto type = FindEntry(resources, 0, type_id);
  if (!type || !(*type & kSubdirectoryBit)) return std::nullopt;
  const auto name = FindEntry(resources, *type & ~kSubdirectoryBit, name_id);
  if (!name || !(*name & kSubdirectoryBit)) return std::nullopt;
  const auto language = FindEntry(resources, *name & ~kSubdirectoryBit, std::nullopt);
  if (!language || (*language & kSubdirectoryBit)) return std::nullopt;
  return language;
}

std::uint64_t AlignTo4(std::uint64_t offset) { return (offset + 3) & ~std::uint64_t{3}; }

// Where the root block's value starts: after its key, a UTF-16 text in the
// 32-bit layout or an ANSI text in the 16-bit one.
std::optional<std::uint64_t> RootValueOffset(const Bytes& block) {
  const auto first_key_byte = block.U8(4);
  if (!first_key_byte) return std::nullopt;
  const bool sixteen_bit = *first_key_byte >= ' ';
  const std::uint64_t unit = sixteen_bit ? 1 : 2;
  for (std::uint64_t at = sixteen_bit ? 4 : 6;; at += unit) {
    const std::optional<std::uint16_t> c =
        sixteen_bit ? std::optional<std::uint16_t>(block.U8(at)) : block.U16(at);
    if (!c) return std::nullopt;
    if (*c == 0) return AlignTo4(at + unit);
  }
}

std::optional<FileVersionNumber> ReadFixedInfo(const Bytes& data) {
  const auto length = data.U16(0);
  const auto value_length = data.U16(2);
  if (!length || !value_length || *value_length < kFixedInfoSize) return std::nullopt;
  const Bytes block = data.Sub(0, *length);
  const auto value = RootValueOffset(block);
  if (!value || !block.Has(*value, kFixedInfoSize) || block.U32(*value) != kFixedInfoSignature)
    return std::nullopt;
  return FileVersionNumber{*block.U32(*value + 8), *block.U32(*value + 12)};
}

// The bytes of a resource; nullopt when the image has none such.
std::optional<Bytes> ResourceData(const Bytes& image, std::uint32_t type_id, std::uint32_t name_id) {
  const auto layout = ReadLayout(image);
  if (!layout) return std::nullopt;
  const auto resources = MapAddress(image, *layout, layout->resource_rva);
  if (!resources) return std::nullopt;
  const auto entry = ResourceDataEntry(*resources, type_id, name_id);
  if (!entry) return std::nullopt;
  const auto data_rva = resources->U32(*entry);
  const auto data_size = resources->U32(std::uint64_t{*entry} + 4);
  if (!data_rva || !data_size) return std::nullopt;
  const auto data = MapAddress(image, *layout, *data_rva);
  if (!data) return std::nullopt;
  return data->Sub(0, *data_size);
}

}  // namespace

std::optional<FileVersionNumber> ReadPeFileVersion(std::span<const std::uint8_t> bytes) {
  const auto data = ResourceData(Bytes(bytes), kResourceTypeVersion, kVersionResourceName);
  if (!data) return std::nullopt;
  return ReadFixedInfo(*data);
}

std::optional<std::string> ReadPeString(std::span<const std::uint8_t> bytes, std::uint32_t id) {
  // Strings come in blocks of sixteen, block n + 1 holding ids 16n to 16n + 15.
  if (id > 0xFFFF) return std::nullopt;
  const auto block = ResourceData(Bytes(bytes), kResourceTypeString, id / 16 + 1);
  if (!block) return std::nullopt;
  std::uint64_t at = 0;
  for (std::uint32_t index = 0; index < id % 16; ++index) {
    const auto length = block->U16(at);
    if (!length) return std::nullopt;
    at += 2 + std::uint64_t{*length} * 2;
  }
  const auto length = block->U16(at);
  if (!length || *length == 0) return std::nullopt;
  std::string text;
  for (std::uint64_t i = 0; i < *length; ++i) {
    const auto unit = block->U16(at + 2 + i * 2);
    if (!unit) return std::nullopt;
    // Latin-1 characters stand for themselves; others have no single byte.
    text += *unit < 0x100 ? static_cast<char>(*unit) : '?';
  }
  return text;
}

}  // namespace tvx::host
