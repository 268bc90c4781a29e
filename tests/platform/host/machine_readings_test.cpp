// What the simulated machine's profile adds for the probes: the processor,
// sound, libraries, files and keys, the read speed of a drive, and the
// refusal of bad values.
#include <gtest/gtest.h>

#include "platform/host/machine_profile.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

TEST(MachineReadings, BadSectionsAreRefusedNamingTheKey) {
  struct Row {
    const char* label;
    const char* patch;
    const char* said;
  };
  const std::vector<Row> rows = {
      {"vendor of 11 characters", R"({"cpu": {"vendor": "GenuineInte"}})", "vendor"},
      {"family above 15", R"({"cpu": {"family": 16}})", "family"},
      {"descriptor above 255", R"({"cpu": {"cache_descriptors": [256]}})", "cache_descriptors"},
      {"16 descriptors", R"({"cpu": {"cache_descriptors": [1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1]}})",
       "cache_descriptors"},
      {"descriptors not a list", R"({"cpu": {"cache_descriptors": 67}})", ""},
      {"clock as text", R"({"cpu": {"clock_hz": "fast"}})", ""},
      {"wave device without formats", R"({"sound": {"wave_out": [{"name": "x"}]}})", "formats"},
      {"negative CD devices", R"({"sound": {"cd_audio_devices": -1}})", "cd_audio_devices"},
      {"library answer out of range", R"({"libraries": {"a": {"f": 4294967296}}})", "f"},
      {"library not an object", R"({"libraries": {"a": 1}})", ""},
      {"file without a path", R"({"files": [{"text": "x"}]})", "path"},
      {"key not a text", R"({"local_machine_keys": [1]})", ""},
      {"negative read speed", R"({"drives": [{"letter": "C", "type": "fixed", "read_kb_per_second": -5}]})",
       "read_kb_per_second"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string error;
    EXPECT_FALSE(host::ParseMachineProfile(PatchedProfile(row.patch), error));
    EXPECT_NE(error.find(row.said), std::string::npos) << error;
  }
}

TEST(MachineReadings, TheProcessorAnswersItsIdentificationLeaves) {
  const auto machine =
      MachineWith(R"({"cpu": {"vendor": "AuthenticAMD", "family": 5, "model": 8, "stepping": 12,
                                      "tsc": true, "mmx": true, "cache_descriptors": []}})");
  System& system = machine->platform().system;
  EXPECT_EQ(system.ProcessorIdentification(0), (CpuidRegisters{1, 0x68747541, 0x444D4163, 0x69746E65}));
  EXPECT_EQ(system.ProcessorIdentification(1), (CpuidRegisters{0x58C, 0, 0, 0x800011}));
  EXPECT_EQ(system.ProcessorIdentification(0x80000000).eax, 0x80000001u);
  EXPECT_EQ(system.ProcessorIdentification(0x80000001).edx, 0x800011u);
  EXPECT_TRUE(system.ProcessorFlagToggles(processor_flag::kIdentification | processor_flag::kAlignmentCheck));
  EXPECT_FALSE(system.CyrixDivisionSignature());
  EXPECT_FALSE(system.SetCyrixIdentification(true));

  const auto intel = MachineWith(R"({"cpu": {"cache_descriptors": [1, 2, 3, 67, 8, 4, 12]}})");
  EXPECT_EQ(intel->platform().system.ProcessorIdentification(0).eax, 2u);
  EXPECT_EQ(intel->platform().system.ProcessorIdentification(2),
            (CpuidRegisters{0x03020101, 0x0C040843, 0, 0}));
}

TEST(MachineReadings, CountersAdvanceWithTheMachinesTime) {
  const auto machine = MachineWith(R"({"cpu": {"clock_hz": 200000000}})");
  System& system = machine->platform().system;
  ASSERT_EQ(system.PerformanceFrequency(), 1000000u);
  const std::uint64_t counter = system.PerformanceCounter();
  const std::uint64_t ticks = system.TimeStampCounter();
  const std::uint32_t ms = system.MillisecondClock();
  system.SleepMilliseconds(250);
  EXPECT_EQ(system.TimeStampCounter() - ticks, 50000000u);
  EXPECT_EQ(system.MillisecondClock() - ms, 250u);
  EXPECT_GT(system.PerformanceCounter(), counter + 250000);
  EXPECT_FALSE(
      MachineWith(R"({"cpu": {"performance_counter": false}})")->platform().system.PerformanceFrequency());
}

TEST(MachineReadings, ReadsFromASlowDriveTakeTheirTime) {
  const auto machine = MachineWith(R"({"drives": [
      {"letter": "C", "type": "fixed", "capacity": 1073741824},
      {"letter": "D", "type": "cdrom", "label": "ZEPHRA", "read_kb_per_second": 300}]})");
  machine->WriteSizedFile("D:\\Data.dat", 3 << 20);
  machine->WriteSizedFile("C:\\Copy.dat", 3 << 20);
  Platform& platform = machine->platform();
  const auto read_all = [&](const char* path) {
    auto opened = platform.files.Open(path, OpenMode::Read);
    std::vector<char> buffer(1 << 16);
    const std::uint32_t start = platform.system.MillisecondClock();
    while (opened.file->Read(buffer).count != 0) {
    }
    return platform.system.MillisecondClock() - start;
  };
  EXPECT_NEAR(read_all("D:\\Data.dat"), 10240, 1);  // 3072 KB at 300 KB/s
  EXPECT_EQ(read_all("C:\\Copy.dat"), 0u);
}

TEST(MachineReadings, SoundDevicesAndTheMapper) {
  const auto machine = MachineWith(R"({"sound": {"wave_out": [{"name": "Modem", "formats": 1},
      {"name": "Dream SAM9407", "formats": 4094}], "cd_audio_devices": 1}})");
  System& system = machine->platform().system;
  EXPECT_EQ(system.WaveOutDeviceCount(), 2u);
  EXPECT_EQ(system.WaveOutCapabilities(1)->product_name, "Dream SAM9407");
  EXPECT_FALSE(system.WaveOutCapabilities(2));
  EXPECT_EQ(system.WaveOutCapabilities(std::nullopt)->formats, 4095u);
  EXPECT_EQ(system.CdAudioDeviceCount(), 1u);
  EXPECT_FALSE(MachineWith("{}")->platform().system.WaveOutCapabilities(std::nullopt));
}

TEST(MachineReadings, LibrariesAreFoundAsLoadLibraryFindsThem) {
  const auto machine =
      MachineWith(R"({"libraries": {"S3DTKW": {"S3DTK_InitLib": 1}, "vendor.drv": {"f": -1}}})");
  Shell& shell = machine->platform().shell;
  for (const char* name : {"s3dtkw", "S3DTKW.DLL", "s3dtkw.dll"}) {
    SCOPED_TRACE(name);
    const auto library = shell.OpenLibrary(name);
    ASSERT_TRUE(library);
    EXPECT_TRUE(library->HasFunction("S3DTK_InitLib"));
    EXPECT_FALSE(library->HasFunction("s3dtk_initlib")) << "export names keep their case";
  }
  EXPECT_FALSE(shell.OpenLibrary("vendor"));
  EXPECT_EQ(shell.OpenLibrary("VENDOR.DRV")->CallWithoutArguments("f"), 0xFFFFFFFFu);
  EXPECT_FALSE(shell.OpenLibrary("VENDOR.DRV")->CallWithoutArguments("g"));
}

TEST(MachineReadings, FilesAndKeysOfTheProfileAreMadeWithTheMachine) {
  const auto machine = MachineWith(R"({
      "files": ["C:\\WINDOWS\\SYSTEM\\GLIDE2X.DLL",
                {"path": "C:\\WINDOWS\\SYSTEM.INI", "text": "[Drivers32]\r\nVIDC.IV32=ir32_32.dll\r\n"}],
      "local_machine_keys": ["Software\\VideoLogic\\PowerVR\\App Hints"]})");
  Platform& platform = machine->platform();
  EXPECT_TRUE(platform.files.Attributes("C:\\WINDOWS\\SYSTEM\\glide2x.dll"));
  EXPECT_EQ(platform.system.ProfileText("system.ini", "drivers32", "vidc.iv32", "No", 50), "ir32_32.dll");
  EXPECT_EQ(platform.system.ProfileText("C:\\WINDOWS\\SYSTEM.INI", "Drivers32", "VIDC.IV32", "No", 50),
            "ir32_32.dll");
  EXPECT_EQ(platform.system.ProfileText("win.ini", "Drivers32", "VIDC.IV32", "No", 50), "No");
  EXPECT_EQ(platform.registry.OpenKey(RegistryRoot::LocalMachine, "software\\videologic\\powervr\\app hints"),
            registry_status::kSuccess);

  TemporaryFolder folder;
  WriteHostText(folder.path() / "p.json", PatchedProfile(R"({"files": ["D:\\ON-THE-DISC.TXT"]})"));
  EXPECT_NE(host::CreateMachine(folder.path() / "m", folder.path() / "p.json").find("D:\\ON-THE-DISC.TXT"),
            std::string::npos);
}

}  // namespace
}  // namespace tvx::testing
