// Identifies the processor from its identification-instruction readings and
// turns the result into the "CPU" test's class.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/machine_types.h"

namespace tvx {

class System;
struct DetectionProcessState;

struct ProcessorInfo {
  std::uint16_t type_code = 0;  // vendor bits and model family; 0 unknown
  bool identification = false;  // the identification instruction exists
  std::uint8_t family = 0;
  std::uint8_t model = 0;
  std::uint8_t stepping = 0;
  bool time_stamp_counter = false;
  std::uint32_t clock = 0;  // time-stamp ticks per second, when the counter exists
};

namespace processor_code {
inline constexpr std::uint16_t kIntel = 0x8000;
inline constexpr std::uint16_t kIntel386 = 0x8001;
inline constexpr std::uint16_t kIntel486 = 0x8002;
inline constexpr std::uint16_t kPentiumIiNoCache = 0x8005;
inline constexpr std::uint16_t kPentiumIi = 0x800A;
inline constexpr std::uint16_t kAmd = 0x4000;
inline constexpr std::uint16_t kCyrix = 0x2000;
inline constexpr std::uint16_t kCentaur = 0x1000;
}  // namespace processor_code

// Type codes by vendor from leaf 1's family and model.
std::uint16_t IntelTypeCode(std::uint32_t family, std::uint32_t model);
std::uint16_t AmdTypeCode(std::uint32_t family, std::uint32_t model);
std::uint16_t CyrixTypeCode(std::uint32_t family, std::uint32_t model);
std::uint16_t CentaurTypeCode(std::uint32_t family, std::uint32_t model);
// The type code of a vendor text's rules, 0 for an unknown vendor.
std::uint16_t VendorTypeCode(std::string_view vendor, std::uint32_t family, std::uint32_t model);

// The level-2 cache size in KB named by leaf 2's descriptor bytes (0x40 to
// 0x45); 0 when no reading names one.
std::uint32_t Level2CacheKilobytes(std::span<const CpuidRegisters> leaf2_readings);

// The "CPU" class 0-5 of a type code; -1 for Centaur and unknown codes.
std::int32_t ProcessorClass(std::uint16_t type_code);

// Fills a zeroed record. A Cyrix processor without the instruction has its
// configuration registers tried once per process (never on NT).
void IdentifyProcessor(System& system, DetectionProcessState& state, ProcessorInfo& info);
// Time-stamp ticks per second over a tenth of a second of the performance
// counter (or one second of sleep without one), modulo 2^32.
std::uint32_t MeasureProcessorClock(System& system);

}  // namespace tvx
