// The hardware probes on simulated machines: screen, memory, MMX, the 3D
// libraries and files, sound, the Intel 740 keys and the PowerVR hints.
#include "detection/hardware_probes.h"

#include <gtest/gtest.h>

#include "support/test_machine.h"

namespace tvx::testing {
namespace {

TEST(ScreenProbes, ClassesFollowTheHeightAndTheBitsPerPixel) {
  struct Row {
    int width, height, bits, planes;
    std::int32_t resolution, colors;
  };
  const std::vector<Row> rows = {
      {640, 480, 4, 1, 0, 0},                               // 16 colours: no class
      {640, 480, 1, 4, 0, 0},                               // four planes of one bit count as 4 bits
      {800, 600, 8, 1, 1, 1},    {1024, 768, 16, 1, 2, 2},  // a 15-bit mode reports 16
      {1152, 864, 24, 1, 4, 3},  {1280, 1024, 32, 1, 5, 4},
      {2048, 1536, 32, 1, 3, 4},  // lower than 1152 x 864: kept as the table has it
      {1920, 1080, 32, 1, 0, 4}, {1600, 1200, 15, 1, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height) + "x" +
                 std::to_string(row.bits) + " planes " + std::to_string(row.planes));
    const auto machine =
        MachineWith(R"({"screen": {"width": )" + std::to_string(row.width) + R"(, "height": )" +
                    std::to_string(row.height) + R"(, "bits_per_pixel": )" + std::to_string(row.bits) +
                    R"(, "planes": )" + std::to_string(row.planes) + "}}");
    EXPECT_EQ(ProbeWindowsResolution(machine->platform().system), row.resolution);
    EXPECT_EQ(ProbeWindowsColors(machine->platform().system), row.colors);
  }
}

// Pins a fault: the 32-bit memory status saturates above 4 GiB (2 GiB for
// most programs), so a 32 GiB machine reported 4095 or 2047 megabytes.
TEST(MemoryProbe, CountsWholeMegabytesInSixtyFourBits) {
  const std::vector<std::pair<std::uint64_t, std::int32_t>> rows = {{16ull << 20, 16},
                                                                    {(32ull << 20) - 1, 31},
                                                                    {4ull << 30, 4096},
                                                                    {32ull << 30, 32768},
                                                                    {1ull << 62, 0x7FFFFFFF}};
  for (const auto& [bytes, megabytes] : rows) {
    SCOPED_TRACE(bytes);
    const auto machine = MachineWith(R"({"memory": {"total_physical": )" + std::to_string(bytes) + "}}");
    EXPECT_EQ(ProbeMemory(machine->platform().system), megabytes);
  }
}

TEST(MmxProbe, NeedsTheInstructionAndFeatureBit23) {
  EXPECT_EQ(ProbeMmx(MachineWith(R"({"cpu": {"mmx": true}})")->platform().system), 1);
  EXPECT_EQ(ProbeMmx(MachineWith(R"({"cpu": {"mmx": false}})")->platform().system), 0);
  EXPECT_EQ(ProbeMmx(MachineWith(R"({"cpu": {"mmx": true, "has_cpuid": false}})")->platform().system), 0);
}

TEST(LibraryProbes, CallTheNamedFunctionsAndWantTheirSuccessValues) {
  struct Row {
    const char* label;
    const char* libraries;
    std::int32_t s3d, ati;
  };
  const std::vector<Row> rows = {
      {"no library", "{}", 0, 0},
      {"both cards", R"({"S3DTKW.DLL": {"S3DTK_InitLib": 1},
                         "ati3dcif": {"_ATI3DCIF_Init@0": 0, "_ATI3DCIF_Term@0": 0}})",
       1, 1},
      {"S3 toolkit answering 2", R"({"s3dtkw": {"S3DTK_InitLib": 2}})", 0, 0},
      {"S3 library without the entry", R"({"s3dtkw": {"S3DTK_Init": 1}})", 0, 0},
      {"ATI initialisation failing", R"({"ATI3DCIF": {"_ATI3DCIF_Init@0": -1, "_ATI3DCIF_Term@0": 0}})", 0,
       0},
      {"ATI without its end function", R"({"ATI3DCIF": {"_ATI3DCIF_Init@0": 0}})", 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const auto machine = MachineWith(std::string(R"({"libraries": )") + row.libraries + "}");
    EXPECT_EQ(ProbeS3dCard(machine->platform().shell), row.s3d);
    EXPECT_EQ(ProbeAti3dCard(machine->platform().shell), row.ati);
  }
}

TEST(FileProbes, LookForTheCardLibrariesInTheirFolders) {
  struct Row {
    const char* label;
    std::vector<std::string> files;
    std::int32_t power_vr, three_dfx, glide3x;
  };
  const std::vector<Row> rows = {
      {"nothing", {}, 0, 0, 0},
      {"PowerVR library in the Windows directory", {"C:\\WINDOWS\\SGL.DLL"}, 1, 0, 0},
      {"PowerVR library in the system directory", {"C:\\WINDOWS\\SYSTEM\\sgl.dll"}, 1, 0, 0},
      {"PowerVR library elsewhere", {"C:\\sgl.dll"}, 0, 0, 0},
      {"Glide 2", {"C:\\WINDOWS\\SYSTEM\\glide2x.dll"}, 0, 1, 0},
      {"first Glide without its initialiser", {"C:\\WINDOWS\\SYSTEM\\GLIDE.DLL"}, 0, 0, 0},
      {"first Glide", {"C:\\WINDOWS\\SYSTEM\\GLIDE.DLL", "C:\\WINDOWS\\SYSTEM\\SST1INIT.DLL"}, 0, 1, 0},
      {"Glide 3 alone", {"C:\\WINDOWS\\SYSTEM\\GLIDE3X.DLL"}, 0, 0, 1},
      {"a folder is no library", {"C:\\WINDOWS\\SYSTEM\\GLIDE2X.DLL\\x"}, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TestMachine machine;
    for (const std::string& file : row.files) machine.WriteFile(file, "MZ");
    FileSystem& files = machine.platform().files;
    EXPECT_EQ(ProbePowerVr(files), row.power_vr);
    EXPECT_EQ(Probe3dfx(files), row.three_dfx);
    EXPECT_EQ(Probe3dfxGlide3x(files), row.glide3x);
  }
}

TEST(SoundProbes, WantTwentyTwoKilohertzStereoAndACdAudioDevice) {
  struct Row {
    const char* label;
    const char* sound;
    std::int32_t test_sound, maxi_sound;
  };
  const std::vector<Row> rows = {
      {"no device", R"({"cd_audio_devices": 1})", 0, 0},
      {"a sound card and CD audio",
       R"({"wave_out": [{"name": "Creative Sound Blaster 16", "formats": 4095}], "cd_audio_devices": 1})", 1,
       0},
      {"no CD audio", R"({"wave_out": [{"name": "Creative Sound Blaster 16", "formats": 4095}]})", 0, 0},
      {"8-bit only",
       R"({"wave_out": [{"name": "Sound Blaster Pro", "formats": 127}], "cd_audio_devices": 1})", 0, 0},
      {"the mapper lacks the format",
       R"({"wave_out": [{"name": "Dream SAM9407", "formats": 4095}], "mapper_formats": 1, "cd_audio_devices": 1})",
       0, 1},
      {"the Dream card second",
       R"({"wave_out": [{"name": "Modem", "formats": 1}, {"name": "Dream SAM9407", "formats": 255}],
           "cd_audio_devices": 2})",
       1, 1},
      {"a Dream card without the format",
       R"({"wave_out": [{"name": "Dream SAM9407", "formats": 127}], "cd_audio_devices": 1})", 0, 0},
      {"\"Dream\" needs its blank",
       R"({"wave_out": [{"name": "DreamSound", "formats": 255}], "cd_audio_devices": 1})", 1, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const auto machine = MachineWith(std::string(R"({"sound": )") + row.sound + "}");
    EXPECT_EQ(ProbeTestSound(machine->platform().system), row.test_sound);
    EXPECT_EQ(ProbeMaxiSound64(machine->platform().system), row.maxi_sound);
  }
}

TEST(I740Probe, OpensEitherKey) {
  struct Row {
    const char* label;
    const char* keys;
    std::int32_t expected;
  };
  const std::vector<Row> rows = {
      {"none", "[]", 0},
      {"the first key", R"(["Enum\\PCI\\VEN_8086&DEV_7800\\000800"])", 1},
      {"the second key", R"(["Enum\\PCI\\VEN_8086&DEV_7800&SUBSYS_01008086&REV_21\\000800"])", 1},
      {"another Intel device", R"(["Enum\\PCI\\VEN_8086&DEV_7121\\000800"])", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const auto machine = MachineWith(std::string(R"({"local_machine_keys": )") + row.keys + "}");
    EXPECT_EQ(ProbeI740Card(machine->platform().registry), row.expected);
  }
}

class PowerVrPodTest : public ::testing::Test {
 protected:
  static constexpr const char* kHints = "Software\\VideoLogic\\PowerVR\\App Hints";

  static RegistryValue Hint(Registry& registry, const char* program, const char* name) {
    RegistryValue value;
    registry.QueryValue(RegistryRoot::LocalMachine, std::string(kHints) + "\\" + program, name, value);
    return value;
  }
};

TEST_F(PowerVrPodTest, WritesThirtyTwoWithItsZeroForBothPodPrograms) {
  const auto machine = MachineWith(R"({"local_machine_keys": ["Software\\VideoLogic\\PowerVR\\App Hints"]})");
  Registry& registry = machine->platform().registry;
  EXPECT_EQ(ConfigurePowerVrPod(registry), 1);
  for (const char* program : {"PODPVRX.EXE", "WPODPVR.EXE"})
    for (const char* name : {"SW_XRegionSize", "SW_YRegionSize"}) {
      SCOPED_TRACE(std::string(program) + " " + name);
      EXPECT_EQ(Hint(registry, program, name), (RegistryValue{RegistryType::String, std::string("32\0", 3)}));
    }
}

TEST_F(PowerVrPodTest, FailsWithoutThePowerVrKeyOrTheRightToWrite) {
  const auto bare = MachineWith("{}");
  EXPECT_EQ(ConfigurePowerVrPod(bare->platform().registry), 0);
  EXPECT_EQ(bare->platform().registry.OpenKey(RegistryRoot::LocalMachine, kHints),
            registry_status::kFileNotFound)
      << "the key is never created";

  const auto user =
      MachineWith(R"({"os": {"platform": 2, "major": 4, "minor": 0, "service": "Service Pack 3"},
      "administrator": false, "local_machine_keys": ["Software\\VideoLogic\\PowerVR\\App Hints"]})");
  EXPECT_EQ(ConfigurePowerVrPod(user->platform().registry), 0);
}

}  // namespace
}  // namespace tvx::testing
