// Every catalogue test finds its probe, and every example machine gives the
// probe values it was made to show: the rows the configuration matrix
// builds on.
#include "detection/machine_probes.h"

#include <gtest/gtest.h>

#include "detection/detection_process_state.h"
#include "detection/system_version.h"
#include "script/detection_catalogue.h"
#include "support/fixtures.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

TEST(MachineProbes, EveryCatalogueTestHasItsProbeAndTheRightActions) {
  TestMachine machine;
  const SystemVersion version = ReadSystemVersion(machine.platform().system.Version());
  DetectionProcessState state;
  MachineProbes probes(machine.platform(), version, state, {});
  DetectionCatalogue catalogue;
  const std::vector<std::string> with_action = {"ATI 3D Card", "Power VR (Pod)", "Video For Windows",
                                                "Microsoft Direct Draw"};
  for (auto* tests : {&catalogue.HardwareTests(), &catalogue.SoftwareTests(), &catalogue.SystemTests()})
    for (const DetectionTest& test : *tests) {
      SCOPED_TRACE(test.name);
      EXPECT_TRUE(probes.ProbeFor(test.name));
      const bool has_action =
          std::find(with_action.begin(), with_action.end(), test.name) != with_action.end();
      EXPECT_EQ(static_cast<bool>(probes.ActionFor(test.name)), has_action);
    }
  EXPECT_FALSE(probes.ProbeFor("cpu")) << "names match with their case";
  EXPECT_FALSE(probes.ProbeFor("Drive")) << "the drive test answers a list: FixedDrives";
  EXPECT_EQ(probes.ActionFor("ATI 3D Card")(), 1);
  EXPECT_EQ(probes.ActionFor("Microsoft Direct Draw")(), 1);
}

TEST(MachineProbes, SourcesReachTheProbesThatNeedThem) {
  TestMachine machine;
  machine.WriteSizedFile("D:\\Big.dat", 1 << 20);
  const SystemVersion version = ReadSystemVersion(machine.platform().system.Version());
  DetectionProcessState state;
  MachineProbes::Sources sources;
  sources.product_volume_name = [] { return std::string("ZEPHRA"); };
  sources.stored_cd_rom_speed = [] { return std::optional<std::int32_t>(1043); };
  sources.cd_rom_speed_value_base = [] { return 1040; };
  sources.localized_string = [](std::int32_t number) { return "string " + std::to_string(number); };
  MachineProbes probes(machine.platform(), version, state, sources);
  EXPECT_EQ(probes.ProbeFor("CD ROM Speed")(), 4) << "an instant drive, timed";
  EXPECT_EQ(probes.ProbeFor("CD ROM Speed")(), 3) << "then read back: 1043 - 1040";
  EXPECT_EQ(probes.ActionFor("Video For Windows")(), 0);
  EXPECT_NE(machine.Transcript().find("caption=\"string 240\" text=\"Video For Windows not installed\""),
            std::string::npos);
  state.installer_path = "D:\\Codecs\\";
  machine.WriteFile("C:\\WINDOWS\\SYSTEM.INI", "[Drivers32]\nVIDC.IV32=ir32_32.dll\n");
  machine.WriteFile("D:\\Codecs\\IR50_32.DLL", ReadFixture("pe_version/ir50_32-5.6.2.15.dll"));
  EXPECT_EQ(probes.VfwIndeo(), 1) << "nothing offered at the installer path";
  EXPECT_EQ(probes.Indeo5(), 0) << "offered there, not installed";
}

struct MachineRow {
  const char* profile;
  // Hardware, in catalogue order.
  std::int32_t cpu, resolution, colors, mmx, memory, s3d, ati, power_vr, three_dfx, glide3x, sound,
      maxi_sound, i740, cd_rom;
  // Software and system, in catalogue order.
  std::vector<std::int32_t> software, system;
  std::int32_t pod_action;
  std::uint64_t c_free_blocks;
};

// Software: Video For Windows, Direct Draw, DirectX, VFW Indeo, DXMedia,
// AMovie, Indeo5. System: W95, W98, WNT4.0, W2000, W, WNT, administrator.
const std::vector<MachineRow> kMachines = {
    {"win95-osr2",
     2,
     1,
     2,
     1,
     32,
     0,
     0,
     0,
     1,
     0,
     1,
     0,
     0,
     2,
     {1, 1, 0, 1, 0, 0, 1},
     {2, -1, -1, -1, 1, -1, 1},
     0,
     (2097152000ull - 1258291200) / 512 - 10240},
    {"win98",
     3,
     2,
     2,
     1,
     64,
     0,
     0,
     0,
     0,
     0,
     1,
     0,
     0,
     4,
     {1, 1, 0, 1, 0, 0, 1},
     {-1, 0, -1, -1, 1, -1, 1},
     0,
     (8589934592ull - 3221225472) / 512 - 10240},
    {"win98-small-disk",
     3,
     2,
     2,
     1,
     64,
     0,
     0,
     0,
     0,
     0,
     1,
     0,
     0,
     4,
     {1, 1, 0, 1, 0, 0, 1},
     {-1, 0, -1, -1, 1, -1, 1},
     0,
     12288 - 10240},
    {"nt40-sp3",
     3,
     2,
     2,
     1,
     64,
     0,
     0,
     1,
     0,
     0,
     1,
     0,
     0,
     3,
     {1, 1, 1, 0, 0, 0, 0},
     {-1, -1, 3, -1, -1, 1, 1},
     1,
     (4294967296ull - 1073741824) / 512 - 10240},
    {"nt40-sp3-user",
     2,
     2,
     2,
     0,
     32,
     0,
     0,
     0,
     0,
     0,
     1,
     0,
     0,
     1,
     {1, 1, 1, 0, 0, 0, 0},
     {-1, -1, 3, -1, -1, 1, 0},
     0,
     (4294967296ull - 1073741824) / 512 - 10240},
    {"win2000",
     4,
     2,
     4,
     1,
     256,
     0,
     1,
     0,
     0,
     0,
     1,
     0,
     0,
     4,
     {1, 1, 1, 0, 0, 0, 0},
     {-1, -1, -1, 0, -1, 1, 1},
     0,
     (21474836480ull - 6442450944) / 512 - 10240},
    {"nt351",
     2,
     1,
     1,
     0,
     32,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     1,
     {0, 1, 1, 0, 0, 0, 0},
     {-1, -1, -1, -1, -1, 1, 1},
     0,
     (1073741824ull - 524288000) / 512 - 10240},
    {"modern-4tib",
     4,
     0,
     4,
     1,
     32768,
     0,
     0,
     0,
     0,
     0,
     1,
     0,
     0,
     4,
     {1, 1, 1, 0, 0, 0, 0},
     {-1, -1, -1, -1, -1, 1, 1},
     0,
     (3ull << 40) / 512 - 10240},
};

TEST(MachineProbes, EachExampleMachineShowsWhatItWasMadeFor) {
  for (const MachineRow& row : kMachines) {
    SCOPED_TRACE(row.profile);
    TestMachine::Options options;
    options.profile_file = ExampleProfile(row.profile);
    TestMachine machine(std::move(options));
    // A data file of game size, so the drive's speed and not the clock's
    // millisecond decides the class.
    machine.WriteSizedFile("D:\\Data\\Textures.dat", 12 << 20);
    const SystemVersion version = ReadSystemVersion(machine.platform().system.Version());
    DetectionProcessState state;
    state.installer_path = "D:\\Indeo\\";
    MachineProbes probes(machine.platform(), version, state,
                         {[] { return std::string("ZEPHRA"); }, {}, {}, {}});

    const std::vector<std::int32_t> hardware = {
        probes.Cpu(),      probes.WindowsResolution(), probes.WindowsColors(), probes.Mmx(),
        probes.Memory(),   probes.S3dCard(),           probes.Ati3dCard(),     probes.PowerVr(),
        probes.ThreeDfx(), probes.ThreeDfxGlide3x(),   probes.TestSound(),     probes.MaxiSound64(),
        probes.I740Card(), probes.CdRomSpeed()};
    EXPECT_EQ(hardware, (std::vector<std::int32_t>{row.cpu, row.resolution, row.colors, row.mmx, row.memory,
                                                   row.s3d, row.ati, row.power_vr, row.three_dfx, row.glide3x,
                                                   row.sound, row.maxi_sound, row.i740, row.cd_rom}));
    EXPECT_EQ(
        (std::vector<std::int32_t>{probes.VideoForWindows(), probes.DirectDraw(), probes.DirectX(),
                                   probes.VfwIndeo(), probes.DxMedia(), probes.AMovie(), probes.Indeo5()}),
        row.software);
    EXPECT_EQ((std::vector<std::int32_t>{probes.W95(), probes.W98(), probes.Wnt40(), probes.W2000(),
                                         probes.WindowsSystem(), probes.WindowsNtSystem(),
                                         probes.AdministratorRight()}),
              row.system);
    EXPECT_EQ(probes.PreparePowerVrPod(), row.pod_action);
    const std::vector<DriveInfo> drives = probes.FixedDrives();
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].root, "C:\\");
    // The sample disc holds no file on C:, and the profile's own files are
    // a few bytes: at most a handful of blocks less than the profile says.
    EXPECT_LE(drives[0].free_blocks, row.c_free_blocks);
    EXPECT_GE(drives[0].free_blocks + 64, row.c_free_blocks);
  }
}

}  // namespace
}  // namespace tvx::testing
