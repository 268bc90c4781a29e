#include "detection/hardware_probes.h"

#include <array>
#include <limits>
#include <string>

#include "detection/processor_identification.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace tvx {
namespace {

constexpr std::uint32_t kMmxBit = 0x800000;
constexpr const char* kPowerVrHintsKey = "Software\\VideoLogic\\PowerVR\\App Hints";
constexpr const char* kPodPrograms[] = {"PODPVRX.EXE", "WPODPVR.EXE"};
constexpr const char* kI740Keys[] = {"Enum\\PCI\\VEN_8086&DEV_7800\\000800",
                                     "Enum\\PCI\\VEN_8086&DEV_7800&SUBSYS_01008086&REV_21"};

std::int32_t Flag(bool value) { return value ? 1 : 0; }

bool CanOpenForReading(FileSystem& files, const std::string& path) {
  return files.Open(path, OpenMode::Read).file != nullptr;
}

bool ExistsIn(FileSystem& files, const std::string& folder, const char* name) {
  const auto attributes = files.Attributes(JoinPath(folder, name));
  return attributes && !(*attributes & attribute::kDirectory);
}

bool HasCdAudioDevice(System& system) {
  const auto count = system.CdAudioDeviceCount();
  return count && *count >= 1;
}

bool CanPlay22kStereo16(const std::optional<WaveOutCaps>& caps) {
  return caps && (caps->formats & kWaveFormat22kStereo16) != 0;
}

bool SetPodHints(Registry& registry, const std::string& key) {
  if (registry.CreateKey(RegistryRoot::LocalMachine, key) != registry_status::kSuccess) return false;
  // "32" with its terminating zero: three bytes, as the hints are read.
  const RegistryValue value{RegistryType::String, std::string("32", 3)};
  for (const char* name : {"SW_XRegionSize", "SW_YRegionSize"})
    if (registry.SetValue(RegistryRoot::LocalMachine, key, name, value) != registry_status::kSuccess)
      return false;
  return true;
}

}  // namespace

std::int32_t ProbeCpu(System& system, DetectionProcessState& state) {
  ProcessorInfo info;
  IdentifyProcessor(system, state, info);
  return ProcessorClass(info.type_code);
}

std::int32_t ProbeMmx(System& system) {
  if (!system.ProcessorFlagToggles(processor_flag::kIdentification)) return 0;
  return Flag(system.ProcessorIdentification(1).edx & kMmxBit);
}

std::int32_t ResolutionClass(int height) {
  switch (height) {
    case 600:
      return 1;
    case 768:
      return 2;
    case 1536:
      return 3;
    case 864:
      return 4;
    case 1024:
      return 5;
    default:
      return 0;
  }
}

std::int32_t ColorClass(int bits) {
  switch (bits) {
    case 8:
      return 1;
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 0;
  }
}

std::int32_t ProbeWindowsResolution(System& system) { return ResolutionClass(system.Screen().height); }

std::int32_t ProbeWindowsColors(System& system) {
  const ScreenInfo screen = system.Screen();
  return ColorClass(screen.planes * screen.bits_per_pixel);
}

std::int32_t ProbeMemory(System& system) {
  const std::uint64_t megabytes = system.Memory().total_physical >> 20;
  constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(megabytes < kLargest ? megabytes : kLargest);
}

std::int32_t ProbeS3dCard(Shell& shell) {
  const auto library = shell.OpenLibrary("s3dtkw");
  if (!library) return 0;
  std::array<std::byte, 12> block{};
  const auto answer = library->CallWithBlock("S3DTK_InitLib", block);
  return Flag(answer && *answer == 1);
}

std::int32_t ProbeAti3dCard(Shell& shell) {
  const auto library = shell.OpenLibrary("ATI3DCIF");
  if (!library || !library->HasFunction("_ATI3DCIF_Init@0") || !library->HasFunction("_ATI3DCIF_Term@0"))
    return 0;
  if (library->CallWithoutArguments("_ATI3DCIF_Init@0") != 0u) return 0;
  library->CallWithoutArguments("_ATI3DCIF_Term@0");
  return 1;
}

std::int32_t ProbePowerVr(FileSystem& files) {
  return Flag(CanOpenForReading(files, JoinPath(files.WindowsDirectory(), "sgl.dll")) ||
              CanOpenForReading(files, JoinPath(files.SystemDirectory(), "sgl.dll")));
}

std::int32_t ConfigurePowerVrPod(Registry& registry) {
  if (registry.OpenKey(RegistryRoot::LocalMachine, kPowerVrHintsKey) != registry_status::kSuccess) return 0;
  for (const char* program : kPodPrograms)
    if (!SetPodHints(registry, std::string(kPowerVrHintsKey) + "\\" + program)) return 0;
  return 1;
}

std::int32_t Probe3dfx(FileSystem& files) {
  const std::string system = files.SystemDirectory();
  return Flag((ExistsIn(files, system, "GLIDE.DLL") && ExistsIn(files, system, "SST1INIT.DLL")) ||
              ExistsIn(files, system, "GLIDE2X.DLL"));
}

std::int32_t Probe3dfxGlide3x(FileSystem& files) {
  return Flag(ExistsIn(files, files.SystemDirectory(), "GLIDE3X.DLL"));
}

std::int32_t ProbeTestSound(System& system) {
  return Flag(CanPlay22kStereo16(system.WaveOutCapabilities(std::nullopt)) && HasCdAudioDevice(system));
}

std::int32_t ProbeMaxiSound64(System& system) {
  bool found = false;
  const std::uint32_t count = system.WaveOutDeviceCount();
  for (std::uint32_t device = 0; device < count && !found; ++device) {
    const auto caps = system.WaveOutCapabilities(device);
    found = CanPlay22kStereo16(caps) && caps->product_name.compare(0, 6, "Dream ") == 0;
  }
  return Flag(found && HasCdAudioDevice(system));
}

std::int32_t ProbeI740Card(Registry& registry) {
  for (const char* key : kI740Keys)
    if (registry.OpenKey(RegistryRoot::LocalMachine, key) == registry_status::kSuccess) return 1;
  return 0;
}

}  // namespace tvx
