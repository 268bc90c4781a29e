// The probes of the hardware tests that read the machine once and answer a
// class or a flag, and the PowerVR preparation. None reports an error: a
// failure answers 0.
#pragma once

#include <cstdint>

namespace tvx {

class FileSystem;
class Registry;
class Shell;
class System;
struct DetectionProcessState;

std::int32_t ProbeCpu(System& system, DetectionProcessState& state);
std::int32_t ProbeMmx(System& system);
std::int32_t ProbeWindowsResolution(System& system);
std::int32_t ProbeWindowsColors(System& system);
// Physical memory in megabytes, from the 64-bit memory status.
std::int32_t ProbeMemory(System& system);
std::int32_t ProbeS3dCard(Shell& shell);
std::int32_t ProbeAti3dCard(Shell& shell);
// "Power VR" and "Power VR (Pod)".
std::int32_t ProbePowerVr(FileSystem& files);
// The action of "Power VR (Pod)": the application hints of the two pod
// programs under an existing PowerVR key.
std::int32_t ConfigurePowerVrPod(Registry& registry);
std::int32_t Probe3dfx(FileSystem& files);
std::int32_t Probe3dfxGlide3x(FileSystem& files);
std::int32_t ProbeTestSound(System& system);
std::int32_t ProbeMaxiSound64(System& system);
std::int32_t ProbeI740Card(Registry& registry);

// The classes of the screen tests, by the screen's height and by its
// planes times bits per pixel.
std::int32_t ResolutionClass(int height);
std::int32_t ColorClass(int bits);

}  // namespace tvx
