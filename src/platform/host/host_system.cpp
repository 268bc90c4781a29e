#include "platform/host/host_system.h"

#include <cstring>
#include <vector>

#include "platform/file_services.h"
#include "platform/host/pe_version_reader.h"
#include "platform/host/profile_text.h"
#include "platform/whole_file_replace.h"

namespace tvx::host {
namespace {

constexpr std::uint32_t kFeatureFpu = 1u << 0;
constexpr std::uint32_t kFeatureTsc = 1u << 4;
constexpr std::uint32_t kFeatureMmx = 1u << 23;
constexpr std::uint32_t kExtendedLeaves = 0x80000000;
// Each counter read costs the simulated machine this long.
constexpr std::uint64_t kCounterReadMicroseconds = 50;
// Larger files are not read for their version: no library is that big.
constexpr std::uint64_t kLargestVersionedFile = 256ull << 20;

std::uint32_t VendorWord(const std::string& vendor, std::size_t at) {
  std::uint32_t word = 0;
  std::memcpy(&word, vendor.data() + at, 4);  // little-endian, as the register holds it
  return word;
}

std::uint32_t FeatureBits(const CpuProfile& cpu) {
  return kFeatureFpu | (cpu.tsc ? kFeatureTsc : 0) | (cpu.mmx ? kFeatureMmx : 0);
}

// Leaf 2: a count of 1 in the low byte, then the descriptor bytes.
CpuidRegisters CacheLeaf(const std::vector<std::uint8_t>& descriptors) {
  std::uint8_t bytes[16] = {1};
  for (std::size_t i = 0; i < descriptors.size() && i < 15; ++i) bytes[i + 1] = descriptors[i];
  CpuidRegisters registers;
  std::memcpy(&registers.eax, bytes, 4);
  std::memcpy(&registers.ebx, bytes + 4, 4);
  std::memcpy(&registers.ecx, bytes + 8, 4);
  std::memcpy(&registers.edx, bytes + 12, 4);
  return registers;
}

// A name without a folder is looked for in the Windows directory.
std::string ProfilePath(std::string_view file, const MachineProfile& profile) {
  if (file.find_first_of("\\:") != std::string_view::npos) return std::string(file);
  return profile.windows_directory + "\\" + std::string(file);
}

std::optional<std::vector<std::uint8_t>> ReadImage(FileSystem& files, std::string_view path) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file || opened.file->Length() > kLargestVersionedFile) return std::nullopt;
  std::vector<std::uint8_t> image(static_cast<std::size_t>(opened.file->Length()));
  std::size_t filled = 0;
  while (filled < image.size()) {
    const auto read =
        opened.file->Read(std::span(reinterpret_cast<char*>(image.data()) + filled, image.size() - filled));
    if (read.error != FileError::None) return std::nullopt;
    if (read.count == 0) break;
    filled += read.count;
  }
  image.resize(filled);
  return image;
}

}  // namespace

bool HostSystem::IdentificationAvailable() const {
  return profile_.cpu.has_cpuid || cyrix_identification_on_;
}

bool HostSystem::ProcessorFlagToggles(std::uint32_t mask) {
  bool toggles = true;
  if (mask & processor_flag::kIdentification) toggles = toggles && IdentificationAvailable();
  if (mask & processor_flag::kAlignmentCheck) toggles = toggles && profile_.cpu.ac_flag;
  return toggles;
}

CpuidRegisters HostSystem::ProcessorIdentification(std::uint32_t leaf) {
  const CpuProfile& cpu = profile_.cpu;
  if (!IdentificationAvailable()) return {};
  const bool amd = cpu.vendor == "AuthenticAMD";
  switch (leaf) {
    case 0:
      return {cpu.cache_descriptors.empty() ? 1u : 2u, VendorWord(cpu.vendor, 0), VendorWord(cpu.vendor, 8),
              VendorWord(cpu.vendor, 4)};
    case 1:
      return {cpu.stepping | cpu.model << 4 | cpu.family << 8, 0, 0, FeatureBits(cpu)};
    case 2:
      return cpu.cache_descriptors.empty() ? CpuidRegisters{} : CacheLeaf(cpu.cache_descriptors);
    case kExtendedLeaves:
      return {amd ? kExtendedLeaves + 1 : 0, 0, 0, 0};
    case kExtendedLeaves + 1:
      return amd ? CpuidRegisters{0, 0, 0, FeatureBits(cpu)} : CpuidRegisters{};
    default:
      return {};
  }
}

bool HostSystem::SetCyrixIdentification(bool enabled) {
  // NT keeps user code away from the ports, as the real backend does.
  if (profile_.version.platform_id == kPlatformWin32Nt || !CyrixDivisionSignature()) return false;
  cyrix_identification_on_ = enabled;
  return true;
}

std::uint64_t HostSystem::TimeStampCounter() {
  return profile_.cpu.tsc ? clock_.CyclesAt(profile_.cpu.clock_hz) : 0;
}

std::optional<std::uint64_t> HostSystem::PerformanceFrequency() {
  if (!profile_.cpu.performance_counter) return std::nullopt;
  return SimulatedClock::kTicksPerSecond;
}

std::uint64_t HostSystem::PerformanceCounter() {
  clock_.Advance(kCounterReadMicroseconds);
  return clock_.Now();
}

std::uint32_t HostSystem::WaveOutDeviceCount() {
  return static_cast<std::uint32_t>(profile_.sound.wave_out.size());
}

std::optional<WaveOutCaps> HostSystem::WaveOutCapabilities(std::optional<std::uint32_t> device) {
  const auto& devices = profile_.sound.wave_out;
  if (device) {
    if (*device >= devices.size()) return std::nullopt;
    return WaveOutCaps{devices[*device].name, devices[*device].formats};
  }
  // The mapper exists only when some device does.
  if (devices.empty()) return std::nullopt;
  WaveOutCaps mapper{"Microsoft Sound Mapper", 0};
  for (const WaveDeviceProfile& each : devices) mapper.formats |= each.formats;
  mapper.formats = profile_.sound.mapper_formats.value_or(mapper.formats);
  return mapper;
}

std::string HostSystem::ProfileText(std::string_view file, std::string_view section, std::string_view key,
                                    std::string_view default_text, std::size_t buffer_size) {
  std::string text;
  const bool read = ReadWholeFile(files_, ProfilePath(file, profile_), text) == FileError::None;
  return LookupProfileText(read ? std::optional<std::string_view>(text) : std::nullopt, section, key,
                           default_text, buffer_size);
}

bool HostSystem::WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                                  std::string_view value) {
  const std::string path = ProfilePath(file, profile_);
  std::string text;
  const FileError read = ReadWholeFile(files_, path, text);
  if (read != FileError::None && read != FileError::NotFound) return false;
  // Through a temporary file: a full disk must not cut SYSTEM.INI short.
  return ReplaceWholeFile(files_, path, path + ".tvx", WithProfileEntry(text, section, key, value),
                          /*replace_read_only=*/false);
}

std::optional<FileVersionNumber> HostSystem::FileVersion(std::string_view path) {
  const auto image = ReadImage(files_, path);
  if (!image) return std::nullopt;
  return ReadPeFileVersion(*image);
}

std::optional<std::string> HostSystem::ModuleString(std::string_view path, std::uint32_t id,
                                                    std::size_t buffer_size) {
  if (buffer_size == 0) return std::nullopt;
  const auto image = ReadImage(files_, path);
  if (!image) return std::nullopt;
  auto text = ReadPeString(*image, id);
  if (text && text->size() >= buffer_size) text->resize(buffer_size - 1);
  return text;
}

}  // namespace tvx::host
