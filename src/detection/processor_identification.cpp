#include "detection/processor_identification.h"

#include <string>
#include <vector>

#include "detection/detection_process_state.h"
#include "platform/system.h"

namespace tvx {
namespace {

constexpr std::uint32_t kTimeStampCounterBit = 1u << 4;
constexpr std::uint32_t kExtendedLeaves = 0x80000000;
// Leaf 2 says how many times to ask it; no processor needs more than this.
constexpr std::uint32_t kMostLeaf2Readings = 16;

std::uint32_t Low32(std::uint64_t value) { return static_cast<std::uint32_t>(value); }

std::string VendorText(const CpuidRegisters& leaf0) {
  std::string vendor;
  for (const std::uint32_t word : {leaf0.ebx, leaf0.edx, leaf0.ecx})
    for (int shift = 0; shift < 32; shift += 8) vendor += static_cast<char>((word >> shift) & 0xFF);
  return vendor;
}

std::vector<CpuidRegisters> ReadLeaf2(System& system) {
  std::vector<CpuidRegisters> readings = {system.ProcessorIdentification(2)};
  const std::uint32_t count = readings.front().eax & 0xFF;
  for (std::uint32_t i = 1; i < count && i < kMostLeaf2Readings; ++i)
    readings.push_back(system.ProcessorIdentification(2));
  return readings;
}

// AMD reports the counter in the extended leaf as well.
bool HasTimeStampCounter(System& system, const std::string& vendor, const CpuidRegisters& leaf1) {
  if (leaf1.edx & kTimeStampCounterBit) return true;
  if (vendor != "AuthenticAMD" || system.ProcessorIdentification(kExtendedLeaves).eax < kExtendedLeaves + 1)
    return false;
  return (system.ProcessorIdentification(kExtendedLeaves + 1).edx & kTimeStampCounterBit) != 0;
}

void IdentifyByInstruction(System& system, ProcessorInfo& info) {
  info.identification = true;
  const CpuidRegisters leaf0 = system.ProcessorIdentification(0);
  const std::string vendor = VendorText(leaf0);
  if (VendorTypeCode(vendor, 0, 0) == 0) return;
  const CpuidRegisters leaf1 = system.ProcessorIdentification(1);
  info.stepping = static_cast<std::uint8_t>(leaf1.eax & 0xF);
  info.model = static_cast<std::uint8_t>((leaf1.eax >> 4) & 0xF);
  info.family = static_cast<std::uint8_t>((leaf1.eax >> 8) & 0xF);
  info.type_code = VendorTypeCode(vendor, info.family, info.model);
  if (vendor == "GenuineIntel" && leaf0.eax >= 2 && info.type_code == processor_code::kPentiumIi &&
      Level2CacheKilobytes(ReadLeaf2(system)) == 0)
    info.type_code = processor_code::kPentiumIiNoCache;
  info.time_stamp_counter = HasTimeStampCounter(system, vendor, leaf1);
  if (info.time_stamp_counter) info.clock = MeasureProcessorClock(system);
}

void IdentifyCyrixWithoutInstruction(System& system, DetectionProcessState& state, ProcessorInfo& info) {
  // A second detection run in the process must not call the Cyrix a 486:
  // the registers were tried once, the vendor is known all the same.
  if (state.cyrix_tried) {
    info.type_code = processor_code::kCyrix;
    return;
  }
  state.cyrix_tried = true;
  if (system.Version().platform_id == kPlatformWin32Nt || !system.SetCyrixIdentification(true)) {
    info.type_code = processor_code::kCyrix;
    return;
  }
  IdentifyProcessor(system, state, info);
  system.SetCyrixIdentification(false);
}

}  // namespace

std::uint16_t IntelTypeCode(std::uint32_t family, std::uint32_t model) {
  switch (family) {
    case 4:
      return model == 3 || model == 7 ? 0x8003 : model == 8 ? 0x8004 : 0x8002;
    case 5:
      return model == 4 ? 0x8008 : 0x8007;
    case 6:
      if (model == 1) return 0x8009;
      if (model == 3 || model == 5) return processor_code::kPentiumIi;
      return model == 6 ? 0x8006 : 0x800B;
    case 15:
      return 0x800C;
    default:
      return processor_code::kIntel;
  }
}

std::uint16_t AmdTypeCode(std::uint32_t family, std::uint32_t model) {
  if (family == 4) return model != 0 ? 0x4001 : 0x4002;
  if (family != 5) return processor_code::kAmd;
  if (model <= 3) return 0x4003;
  if (model == 6 || model == 7) return 0x4004;
  if (model == 8) return 0x4005;
  return model == 9 ? 0x4006 : processor_code::kAmd;
}

std::uint16_t CyrixTypeCode(std::uint32_t family, std::uint32_t model) {
  if (family == 5 && model == 2) return 0x2001;
  if (family == 6 && model == 0) return 0x2002;
  if (family == 4 && model == 4) return 0x2003;
  if (family == 5 && model == 4) return 0x2004;
  return processor_code::kCyrix;
}

std::uint16_t CentaurTypeCode(std::uint32_t family, std::uint32_t model) {
  if (family == 5 && model <= 4) return 0x1001;
  if (family == 5 && model == 8) return 0x1002;
  return processor_code::kCentaur;
}

std::uint16_t VendorTypeCode(std::string_view vendor, std::uint32_t family, std::uint32_t model) {
  if (vendor == "GenuineIntel") return IntelTypeCode(family, model);
  if (vendor == "AuthenticAMD") return AmdTypeCode(family, model);
  if (vendor == "CyrixInstead") return CyrixTypeCode(family, model);
  if (vendor == "CentaurHauls") return CentaurTypeCode(family, model);
  return 0;
}

std::uint32_t Level2CacheKilobytes(std::span<const CpuidRegisters> leaf2_readings) {
  std::uint32_t kilobytes = 0;
  for (const CpuidRegisters& reading : leaf2_readings) {
    const std::uint32_t registers[] = {reading.eax, reading.ebx, reading.ecx, reading.edx};
    for (int r = 0; r < 4; ++r) {
      if (registers[r] & 0x80000000) continue;  // holds no descriptors
      for (int byte = r == 0 ? 1 : 0; byte < 4; ++byte) {
        const std::uint32_t descriptor = (registers[r] >> (8 * byte)) & 0xFF;
        if (descriptor == 0x40) kilobytes = 0;
        if (descriptor >= 0x41 && descriptor <= 0x45) kilobytes = 128u << (descriptor - 0x41);
      }
    }
  }
  return kilobytes;
}

std::int32_t ProcessorClass(std::uint16_t type_code) {
  if (type_code & (processor_code::kCyrix | processor_code::kAmd)) return 2;
  switch (type_code) {
    case 0x8001:
      return 0;
    case 0x8002:
    case 0x8003:
    case 0x8004:
      return 1;
    case 0x8007:
    case 0x8008:
    case 0x8009:
      return 2;
    case 0x8005:
    case 0x8006:
    case 0x800A:
      return 3;
    case 0x800B:
      return 4;
    case 0x8000:
    case 0x800C:
      return 5;
    default:
      return -1;
  }
}

void IdentifyProcessor(System& system, DetectionProcessState& state, ProcessorInfo& info) {
  if (system.ProcessorFlagToggles(processor_flag::kIdentification)) {
    IdentifyByInstruction(system, info);
  } else if (system.CyrixDivisionSignature()) {
    IdentifyCyrixWithoutInstruction(system, state, info);
  } else {
    info.type_code = system.ProcessorFlagToggles(processor_flag::kAlignmentCheck) ? processor_code::kIntel486
                                                                                  : processor_code::kIntel386;
  }
}

std::uint32_t MeasureProcessorClock(System& system) {
  const auto frequency = system.PerformanceFrequency();
  if (!frequency) {
    const std::uint32_t start = Low32(system.TimeStampCounter());
    system.SleepMilliseconds(1000);
    return Low32(system.TimeStampCounter()) - start;
  }
  const std::uint32_t span = Low32(*frequency) / 10;  // a tenth of a second
  system.SetTimeCriticalPriority(true);
  const std::uint32_t t0 = Low32(system.TimeStampCounter());
  const std::uint32_t c0 = Low32(system.PerformanceCounter());
  while (Low32(system.PerformanceCounter()) - c0 < span) {
  }
  const std::uint32_t t1 = Low32(system.TimeStampCounter());
  system.SetTimeCriticalPriority(false);
  return t1 * 10 - t0 * 10;
}

}  // namespace tvx
