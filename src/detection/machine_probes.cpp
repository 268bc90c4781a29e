#include "detection/machine_probes.h"

#include <utility>

#include "detection/cd_rom_speed.h"
#include "detection/detection_process_state.h"
#include "detection/hardware_probes.h"
#include "detection/software_probes.h"
#include "detection/system_probes.h"
#include "detection/system_version.h"
#include "platform/platform.h"

namespace tvx {
namespace {

using Member = std::int32_t (MachineProbes::*)();

struct NamedRoutine {
  std::string_view name;
  Member member;
};

// The catalogue names, exactly as the script writes them.
constexpr NamedRoutine kProbes[] = {
    {"CPU", &MachineProbes::Cpu},
    {"Windows resolution", &MachineProbes::WindowsResolution},
    {"Windows colors", &MachineProbes::WindowsColors},
    {"MMX", &MachineProbes::Mmx},
    {"Memory", &MachineProbes::Memory},
    {"S3D Card", &MachineProbes::S3dCard},
    {"ATI 3D Card", &MachineProbes::Ati3dCard},
    {"Power VR", &MachineProbes::PowerVr},
    {"Power VR (Pod)", &MachineProbes::PowerVr},
    {"3DFX", &MachineProbes::ThreeDfx},
    {"3DFX (Glide3X)", &MachineProbes::ThreeDfxGlide3x},
    {"Test Sound", &MachineProbes::TestSound},
    {"Test Maxi Sound 64", &MachineProbes::MaxiSound64},
    {"I740 Card", &MachineProbes::I740Card},
    {"CD ROM Speed", &MachineProbes::CdRomSpeed},
    {"Video For Windows", &MachineProbes::VideoForWindows},
    {"Microsoft Direct Draw", &MachineProbes::DirectDraw},
    {"Microsoft Direct X", &MachineProbes::DirectX},
    {"VFW Indeo", &MachineProbes::VfwIndeo},
    {"DXMedia", &MachineProbes::DxMedia},
    {"AMovie", &MachineProbes::AMovie},
    {"Indeo5", &MachineProbes::Indeo5},
    {"W95", &MachineProbes::W95},
    {"W98", &MachineProbes::W98},
    {"WNT4.0", &MachineProbes::Wnt40},
    {"W2000", &MachineProbes::W2000},
    {"Windows System", &MachineProbes::WindowsSystem},
    {"Windows NT System", &MachineProbes::WindowsNtSystem},
    {"Administrator right", &MachineProbes::AdministratorRight},
};

std::int32_t Succeed() { return 1; }

constexpr NamedRoutine kActions[] = {
    {"ATI 3D Card", nullptr},  // an action that does nothing and succeeds
    {"Power VR (Pod)", &MachineProbes::PreparePowerVrPod},
    {"Video For Windows", &MachineProbes::ReportVideoForWindowsMissing},
    {"Microsoft Direct Draw", &MachineProbes::InstallDirectDraw},
};

template <std::size_t N>
const NamedRoutine* Find(const NamedRoutine (&table)[N], std::string_view name) {
  for (const NamedRoutine& entry : table)
    if (entry.name == name) return &entry;
  return nullptr;
}

}  // namespace

MachineProbes::MachineProbes(Platform& platform, const SystemVersion& version, DetectionProcessState& state,
                             Sources sources)
    : platform_(platform), version_(version), state_(state), sources_(std::move(sources)) {}

MachineProbes::Routine MachineProbes::ProbeFor(std::string_view test_name) {
  const NamedRoutine* found = Find(kProbes, test_name);
  if (!found) return {};
  return [this, member = found->member] { return (this->*member)(); };
}

MachineProbes::Routine MachineProbes::ActionFor(std::string_view test_name) {
  const NamedRoutine* found = Find(kActions, test_name);
  if (!found) return {};
  if (!found->member) return &Succeed;
  return [this, member = found->member] { return (this->*member)(); };
}

std::int32_t MachineProbes::Cpu() { return ProbeCpu(platform_.system, state_); }
std::int32_t MachineProbes::WindowsResolution() { return ProbeWindowsResolution(platform_.system); }
std::int32_t MachineProbes::WindowsColors() { return ProbeWindowsColors(platform_.system); }
std::int32_t MachineProbes::Mmx() { return ProbeMmx(platform_.system); }
std::int32_t MachineProbes::Memory() { return ProbeMemory(platform_.system); }
std::int32_t MachineProbes::S3dCard() { return ProbeS3dCard(platform_.shell); }
std::int32_t MachineProbes::Ati3dCard() { return ProbeAti3dCard(platform_.shell); }
std::int32_t MachineProbes::PowerVr() { return ProbePowerVr(platform_.files); }
std::int32_t MachineProbes::ThreeDfx() { return Probe3dfx(platform_.files); }
std::int32_t MachineProbes::ThreeDfxGlide3x() { return Probe3dfxGlide3x(platform_.files); }
std::int32_t MachineProbes::TestSound() { return ProbeTestSound(platform_.system); }
std::int32_t MachineProbes::MaxiSound64() { return ProbeMaxiSound64(platform_.system); }
std::int32_t MachineProbes::I740Card() { return ProbeI740Card(platform_.registry); }
std::int32_t MachineProbes::PreparePowerVrPod() { return ConfigurePowerVrPod(platform_.registry); }
std::vector<DriveInfo> MachineProbes::FixedDrives() { return ListFixedDrives(platform_.files); }

std::int32_t MachineProbes::CdRomSpeed() {
  const std::string volume_name = sources_.product_volume_name ? sources_.product_volume_name() : "";
  const CdSpeedSources speed{volume_name, sources_.stored_cd_rom_speed,
                             sources_.cd_rom_speed_value_base ? sources_.cd_rom_speed_value_base() : 0};
  return ProbeCdRomSpeed(platform_.files, platform_.system, state_, speed);
}

std::int32_t MachineProbes::VideoForWindows() { return ProbeVideoForWindows(version_); }
std::int32_t MachineProbes::DirectDraw() { return ProbeDirectDraw(); }
std::int32_t MachineProbes::DirectX() { return ProbeDirectX(version_); }
std::int32_t MachineProbes::DxMedia() { return ProbeDxMedia(); }
std::int32_t MachineProbes::AMovie() { return ProbeAMovie(); }

std::int32_t MachineProbes::VfwIndeo() {
  return ProbeIndeo(platform_.files, platform_.system, kIndeo4Codec, state_.installer_path);
}

std::int32_t MachineProbes::Indeo5() {
  return ProbeIndeo(platform_.files, platform_.system, kIndeo5Codec, state_.installer_path);
}

std::int32_t MachineProbes::ReportVideoForWindowsMissing() {
  const std::string caption =
      sources_.localized_string ? sources_.localized_string(kVideoForWindowsCaption) : std::string();
  return tvx::ReportVideoForWindowsMissing(platform_.ui, caption);
}

std::int32_t MachineProbes::InstallDirectDraw() { return tvx::InstallDirectDraw(); }

std::int32_t MachineProbes::W95() { return ProbeW95(platform_.system.Version()); }
std::int32_t MachineProbes::W98() { return ProbeW98(platform_.system.Version()); }
std::int32_t MachineProbes::Wnt40() { return ProbeWnt40(platform_.system.Version()); }
std::int32_t MachineProbes::W2000() { return ProbeW2000(platform_.system.Version()); }
std::int32_t MachineProbes::WindowsSystem() { return ProbeWindowsSystem(platform_.system.Version()); }
std::int32_t MachineProbes::WindowsNtSystem() { return ProbeWindowsNtSystem(platform_.system.Version()); }
std::int32_t MachineProbes::AdministratorRight() { return ProbeAdministratorRight(platform_.system); }

}  // namespace tvx
