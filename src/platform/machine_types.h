// Readings of the processor, the sound devices and file versions that
// cross the platform seam for the machine probes.
#pragma once

#include <cstdint>
#include <string>

namespace tvx {

// The four registers one identification-instruction leaf answers.
struct CpuidRegisters {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;
  bool operator==(const CpuidRegisters&) const = default;
};

// Flags-register bits whose toggling tells processor generations apart.
namespace processor_flag {
inline constexpr std::uint32_t kAlignmentCheck = 0x40000;   // bit 18: a 486 or later
inline constexpr std::uint32_t kIdentification = 0x200000;  // bit 21: the instruction exists
}  // namespace processor_flag

// What waveOutGetDevCapsA tells of one output device.
struct WaveOutCaps {
  std::string product_name;
  std::uint32_t formats = 0;  // WAVE_FORMAT_* bits
};

inline constexpr std::uint32_t kWaveFormat22kStereo16 = 0x80;  // WAVE_FORMAT_2S16
inline constexpr std::uint32_t kMciDeviceTypeCdAudio = 516;    // MCI_DEVTYPE_CD_AUDIO

// The file version words of a version resource's fixed information.
struct FileVersionNumber {
  std::uint32_t most_significant = 0;   // dwFileVersionMS
  std::uint32_t least_significant = 0;  // dwFileVersionLS
  bool operator==(const FileVersionNumber&) const = default;
};

}  // namespace tvx
