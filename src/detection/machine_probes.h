// Every probe and action of the test catalogues on one platform, one method
// per test, with what they read besides the machine.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "detection/drive_info.h"

namespace tvx {

struct DetectionProcessState;
struct Platform;
struct SystemVersion;

class MachineProbes {
 public:
  using Routine = std::function<std::int32_t()>;

  // What the probes learn from the rest of the program; each may be empty.
  struct Sources {
    std::function<std::string()> product_volume_name;  // VOLUME NAME of the script
    // "CD ROM Speed" of the product registry's section "SYSTEM"; nullopt
    // when it cannot be read.
    std::function<std::optional<std::int32_t>()> stored_cd_rom_speed;
    std::function<std::int32_t()> cd_rom_speed_value_base;  // of the "CD ROM Speed" test
    std::function<std::string(std::int32_t)> localized_string;
  };

  // The session's system version and detection state outlive the probes.
  MachineProbes(Platform& platform, const SystemVersion& version, DetectionProcessState& state,
                Sources sources);
  // Bound routines point at this object: it never moves.
  MachineProbes(const MachineProbes&) = delete;
  MachineProbes& operator=(const MachineProbes&) = delete;

  // The probe and the action of the catalogue test of that name; empty when
  // the name has none here (the component installers live elsewhere).
  Routine ProbeFor(std::string_view test_name);
  Routine ActionFor(std::string_view test_name);

  // Hardware tests.
  std::int32_t Cpu();
  std::int32_t WindowsResolution();
  std::int32_t WindowsColors();
  std::int32_t Mmx();
  std::int32_t Memory();
  std::int32_t S3dCard();
  std::int32_t Ati3dCard();
  std::int32_t PowerVr();
  std::int32_t ThreeDfx();
  std::int32_t ThreeDfxGlide3x();
  std::int32_t TestSound();
  std::int32_t MaxiSound64();
  std::int32_t I740Card();
  std::int32_t CdRomSpeed();
  std::int32_t PreparePowerVrPod();
  // The "Drive" test.
  std::vector<DriveInfo> FixedDrives();

  // Software tests and the actions of the two without an installer.
  std::int32_t VideoForWindows();
  std::int32_t DirectDraw();
  std::int32_t DirectX();
  std::int32_t VfwIndeo();
  std::int32_t DxMedia();
  std::int32_t AMovie();
  std::int32_t Indeo5();
  std::int32_t ReportVideoForWindowsMissing();
  std::int32_t InstallDirectDraw();

  // System tests.
  std::int32_t W95();
  std::int32_t W98();
  std::int32_t Wnt40();
  std::int32_t W2000();
  std::int32_t WindowsSystem();
  std::int32_t WindowsNtSystem();
  std::int32_t AdministratorRight();

 private:
  Platform& platform_;
  const SystemVersion& version_;
  DetectionProcessState& state_;
  Sources sources_;
};

}  // namespace tvx
