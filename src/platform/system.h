// Facts about the machine and the running process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/elevation_types.h"
#include "platform/machine_types.h"
#include "platform/platform_types.h"

namespace tvx {

class System {
 public:
  virtual ~System() = default;

  virtual VersionRecord Version() = 0;
  // Whether the process token belongs to the local Administrators group.
  virtual bool InAdministratorsGroup() = 0;
  // The process token under user account control.
  virtual ElevationState Elevation() = 0;
  virtual MemoryStatus Memory() = 0;
  virtual ScreenInfo Screen() = 0;
  // The user's language, in English (LOCALE_SENGLANGUAGE).
  virtual std::string UserLanguageName() = 0;
  // The whole command line, program path included (GetCommandLineA).
  virtual std::string CommandLine() = 0;

  // Processor identification. Whether a flags-register bit can be flipped.
  virtual bool ProcessorFlagToggles(std::uint32_t mask) = 0;
  // One leaf of the identification instruction; only asked when bit 21 toggles.
  virtual CpuidRegisters ProcessorIdentification(std::uint32_t leaf) = 0;
  // After clearing the arithmetic flags, 5 / 2 in 8 bits leaves the flags
  // byte at 2: a Cyrix processor (the others change the flags).
  virtual bool CyrixDivisionSignature() = 0;
  // Cyrix configuration registers through ports 0x22/0x23 with interrupts
  // off: enabling sets bit 0x10 of 0xC3 then bit 0x80 of 0xE8, disabling
  // clears bit 0x80 of 0xE8. False where user code may not reach the ports.
  virtual bool SetCyrixIdentification(bool enabled) = 0;

  // Clocks: the time-stamp counter, the performance counter (nullopt
  // frequency when there is none), the milliseconds clock of timeGetTime.
  virtual std::uint64_t TimeStampCounter() = 0;
  virtual std::optional<std::uint64_t> PerformanceFrequency() = 0;
  virtual std::uint64_t PerformanceCounter() = 0;
  virtual std::uint32_t MillisecondClock() = 0;
  virtual void SleepMilliseconds(std::uint32_t milliseconds) = 0;
  // Time-critical priority for the calling thread, or back to normal.
  virtual void SetTimeCriticalPriority(bool raised) = 0;

  // Sound: wave-out devices, the wave mapper (no device number) and the
  // number of CD-audio devices MCI knows; nullopt when a query fails.
  virtual std::uint32_t WaveOutDeviceCount() = 0;
  virtual std::optional<WaveOutCaps> WaveOutCapabilities(std::optional<std::uint32_t> device) = 0;
  virtual std::optional<std::uint32_t> CdAudioDeviceCount() = 0;

  // What GetPrivateProfileStringA copies into a buffer of that size (the
  // default when the entry is missing); a file without a folder is looked
  // for in the Windows directory.
  virtual std::string ProfileText(std::string_view file, std::string_view section, std::string_view key,
                                  std::string_view default_text, std::size_t buffer_size) = 0;
  // What WritePrivateProfileStringA does with a text value: the file and
  // the section are made when missing, an entry of that key (matched
  // without regard to case) gets the value, other lines stay. False when
  // the file cannot be written.
  virtual bool WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                                std::string_view value) = 0;
  // The file version of a file's version resource; nullopt without one.
  virtual std::optional<FileVersionNumber> FileVersion(std::string_view path) = 0;
  // A string resource of a file loaded as a data-only module, at most
  // buffer_size - 1 characters; nullopt when the file cannot be loaded or
  // holds no such string (LoadStringA answering 0).
  virtual std::optional<std::string> ModuleString(std::string_view path, std::uint32_t id,
                                                  std::size_t buffer_size) = 0;
};

}  // namespace tvx
