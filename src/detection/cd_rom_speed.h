// The "CD ROM Speed" test: times the largest file of the product's disc
// once per process and reads the stored result back afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace tvx {

class FileSystem;
class System;
struct DetectionProcessState;

inline constexpr std::uint64_t kCdTimingChunk = 102400;
inline constexpr int kCdTimingReads = 103;  // 10,300 KB in all
inline constexpr std::int32_t kFastestCdClass = 4;

// The speed class 0-4 of a timing. The rate counts the bytes that were
// read, so a disc whose largest file is short is not taken for a fast one;
// no elapsed time at all is the fastest class, not a division by zero.
std::int32_t CdSpeedClass(std::uint64_t bytes_read, std::uint32_t elapsed_ms);

// The class a stored "CD ROM Speed" result stands for: the stored number is
// the test's value base plus the class, so the class is what remains after
// taking away the current base. A number that leaves no class 0-4 is not
// one this program stored: 0, as for an unreadable one.
std::int32_t CdSpeedClassFromStored(std::optional<std::int32_t> stored, std::int32_t value_base);

struct CdSpeedSources {
  std::string_view product_volume_name;
  // "CD ROM Speed" of the product registry's section "SYSTEM".
  std::function<std::optional<std::int32_t>()> stored_speed;
  std::int32_t value_base = 0;  // of the "CD ROM Speed" test
};

std::int32_t ProbeCdRomSpeed(FileSystem& files, System& system, DetectionProcessState& state,
                             const CdSpeedSources& sources);

}  // namespace tvx
