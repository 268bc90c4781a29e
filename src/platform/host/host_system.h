// Machine facts of a simulated machine, from its profile.
#pragma once

#include "platform/host/host_file_system.h"
#include "platform/host/machine_profile.h"
#include "platform/host/simulated_clock.h"
#include "platform/system.h"

namespace tvx::host {

class HostSystem : public System {
 public:
  HostSystem(const MachineProfile& profile, std::string command_line, SimulatedClock& clock,
             HostFileSystem& files)
      : profile_(profile), command_line_(std::move(command_line)), clock_(clock), files_(files) {}

  VersionRecord Version() override { return profile_.version; }
  // Membership: a filtered token still lists the group (for denying only),
  // as the Win32 backend's reading of the token groups finds it.
  bool InAdministratorsGroup() override { return profile_.administrator; }
  ElevationState Elevation() override { return ElevationOf(profile_); }
  MemoryStatus Memory() override { return profile_.memory; }
  ScreenInfo Screen() override { return profile_.screen; }
  std::string UserLanguageName() override { return profile_.user_language; }
  std::string CommandLine() override { return command_line_; }

  bool ProcessorFlagToggles(std::uint32_t mask) override;
  CpuidRegisters ProcessorIdentification(std::uint32_t leaf) override;
  bool CyrixDivisionSignature() override { return profile_.cpu.vendor == "CyrixInstead"; }
  bool SetCyrixIdentification(bool enabled) override;

  std::uint64_t TimeStampCounter() override;
  std::optional<std::uint64_t> PerformanceFrequency() override;
  std::uint64_t PerformanceCounter() override;
  std::uint32_t MillisecondClock() override { return clock_.Milliseconds(); }
  void SleepMilliseconds(std::uint32_t milliseconds) override { clock_.Advance(milliseconds * 1000ull); }
  void SetTimeCriticalPriority(bool) override {}

  std::uint32_t WaveOutDeviceCount() override;
  std::optional<WaveOutCaps> WaveOutCapabilities(std::optional<std::uint32_t> device) override;
  std::optional<std::uint32_t> CdAudioDeviceCount() override { return profile_.sound.cd_audio_devices; }

  std::string ProfileText(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view default_text, std::size_t buffer_size) override;
  bool WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) override;
  std::optional<FileVersionNumber> FileVersion(std::string_view path) override;
  // The string table of the file's PE image, as LoadStringA reads it.
  std::optional<std::string> ModuleString(std::string_view path, std::uint32_t id,
                                          std::size_t buffer_size) override;

 private:
  bool IdentificationAvailable() const;

  const MachineProfile& profile_;
  std::string command_line_;
  SimulatedClock& clock_;
  HostFileSystem& files_;
  // A Cyrix processor whose identification instruction was switched on
  // through its configuration registers.
  bool cyrix_identification_on_ = false;
};

}  // namespace tvx::host
