// Machine facts through the Win32 calls.
#pragma once

#include "platform/system.h"

namespace tvx::win32 {

class Win32System : public System {
 public:
  VersionRecord Version() override;
  bool InAdministratorsGroup() override;
  // TokenElevationType and TokenElevation (win32_elevation.cpp); EnableLUA.
  ElevationState Elevation() override;
  MemoryStatus Memory() override;
  ScreenInfo Screen() override;
  std::string UserLanguageName() override;
  std::string CommandLine() override;

  bool ProcessorFlagToggles(std::uint32_t mask) override;
  CpuidRegisters ProcessorIdentification(std::uint32_t leaf) override;
  bool CyrixDivisionSignature() override;
  bool SetCyrixIdentification(bool enabled) override;
  std::uint64_t TimeStampCounter() override;
  std::optional<std::uint64_t> PerformanceFrequency() override;
  std::uint64_t PerformanceCounter() override;
  std::uint32_t MillisecondClock() override;
  void SleepMilliseconds(std::uint32_t milliseconds) override;
  void SetTimeCriticalPriority(bool raised) override;

  std::uint32_t WaveOutDeviceCount() override;
  std::optional<WaveOutCaps> WaveOutCapabilities(std::optional<std::uint32_t> device) override;
  std::optional<std::uint32_t> CdAudioDeviceCount() override;

  std::string ProfileText(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view default_text, std::size_t buffer_size) override;
  bool WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) override;
  std::optional<FileVersionNumber> FileVersion(std::string_view path) override;
  std::optional<std::string> ModuleString(std::string_view path, std::uint32_t id,
                                          std::size_t buffer_size) override;
};

}  // namespace tvx::win32
