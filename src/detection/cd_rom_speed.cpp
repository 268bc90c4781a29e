#include "detection/cd_rom_speed.h"

#include <memory>

#include "detection/detection_process_state.h"
#include "detection/drive_info.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace tvx {
namespace {

struct Timing {
  std::uint64_t bytes_read = 0;
  std::uint32_t elapsed_ms = 0;
};

// Reads the file in 103 chunks of 100 KB between two readings of the
// milliseconds clock; unsigned arithmetic survives the clock's wrap.
std::optional<Timing> TimeReading(FileSystem& files, System& system, const std::string& path) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file) return std::nullopt;
  const auto buffer = std::make_unique<char[]>(kCdTimingChunk);
  Timing timing;
  const std::uint32_t start = system.MillisecondClock();
  for (int i = 0; i < kCdTimingReads; ++i)
    timing.bytes_read += opened.file->Read(std::span(buffer.get(), kCdTimingChunk)).count;
  timing.elapsed_ms = system.MillisecondClock() - start;
  return timing;
}

}  // namespace

std::int32_t CdSpeedClass(std::uint64_t bytes_read, std::uint32_t elapsed_ms) {
  if (bytes_read == 0) return 0;
  if (elapsed_ms == 0) return kFastestCdClass;
  // KB of 1024 bytes per second; 10,547,200 bytes give 10,300,000 / ms.
  const std::uint64_t rate = bytes_read * 1000 / 1024 / elapsed_ms;
  if (rate < 150) return 0;
  if (rate < 300) return 1;
  if (rate < 600) return 2;
  if (rate < 900) return 3;
  return kFastestCdClass;
}

std::int32_t CdSpeedClassFromStored(std::optional<std::int32_t> stored, std::int32_t value_base) {
  if (!stored) return 0;
  const std::int64_t speed_class = std::int64_t{*stored} - value_base;
  return speed_class >= 0 && speed_class <= kFastestCdClass ? static_cast<std::int32_t>(speed_class) : 0;
}

std::int32_t ProbeCdRomSpeed(FileSystem& files, System& system, DetectionProcessState& state,
                             const CdSpeedSources& sources) {
  if (state.cd_speed_measured)
    return CdSpeedClassFromStored(sources.stored_speed ? sources.stored_speed() : std::nullopt,
                                  sources.value_base);
  const std::string drive = FindProductCdDrive(files, sources.product_volume_name, "");
  const LargestFile largest = FindLargestFile(files, drive);
  if (largest.size == 0) return 0;
  const auto timing = TimeReading(files, system, largest.path);
  if (!timing) return 0;
  state.cd_speed_measured = true;
  return CdSpeedClass(timing->bytes_read, timing->elapsed_ms);
}

}  // namespace tvx
