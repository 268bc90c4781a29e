// The probes on the real Win32 API under Wine: the system items on each
// reported Windows version, the processor and the machine at hand, library
// calls of both conventions, and the harness's CD-ROM drive by its label.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "detection/cd_rom_speed.h"
#include "detection/detection_process_state.h"
#include "detection/drive_info.h"
#include "detection/hardware_probes.h"
#include "detection/machine_probes.h"
#include "detection/processor_identification.h"
#include "detection/system_version.h"
#include "platform/win32/win32_platform.h"
#include "support/fixtures.h"

namespace tvx::testing {
namespace {

struct SystemValues {
  std::int32_t w95, w98, wnt40, w2000, windows, windows_nt, administrator, video_for_windows, direct_x;
};

// What GetVersionExA reports in each prefix (see WINE.md) and the values of
// the system table for it; Wine's user is an administrator.
const std::map<std::string, SystemValues> kByVersion = {
    {"win95", {0, -1, -1, -1, 1, -1, 1, 1, 0}},   // 4.0 platform 1 ""
    {"win98", {-1, 0, -1, -1, 1, -1, 1, 1, 0}},   // 4.10 platform 1 " A "
    {"nt40", {-1, -1, 0, -1, -1, 1, 1, 1, 1}},    // 4.0 "Service Pack 6a": later than 4
    {"win2k", {-1, -1, -1, 0, -1, 1, 1, 1, 1}},   // 5.0 "Service Pack 4"
    {"winxp", {-1, -1, -1, -1, -1, 1, 1, 1, 1}},  // 5.1
    {"nt351", {-1, -1, -1, -1, -1, 1, 1, 0, 1}},  // 3.51: not NT 4 or later
};

class Win32Probes : public ::testing::Test {
 protected:
  Win32Probes()
      : version_(ReadSystemVersion(real_.platform().system.Version())),
        probes_(real_.platform(), version_, state_, {}) {}

  Platform& platform() { return real_.platform(); }

  win32::Win32Platform real_;
  SystemVersion version_;
  DetectionProcessState state_;
  MachineProbes probes_;
};

TEST_F(Win32Probes, SystemItemsGiveTheTableValuesOfTheReportedVersion) {
  const char* name = std::getenv("TVX_WINE_VERSION");
  if (!name || !kByVersion.count(name)) GTEST_SKIP() << "run through tools/wine/tvxwine with --version";
  const SystemValues& expected = kByVersion.at(name);
  const VersionRecord record = platform().system.Version();
  std::printf("[ VERSION  ] %s: platform %u, %u.%u, service \"%s\"\n", name, record.platform_id, record.major,
              record.minor, record.service.c_str());
  EXPECT_EQ(probes_.W95(), expected.w95);
  EXPECT_EQ(probes_.W98(), expected.w98);
  EXPECT_EQ(probes_.Wnt40(), expected.wnt40);
  EXPECT_EQ(probes_.W2000(), expected.w2000);
  EXPECT_EQ(probes_.WindowsSystem(), expected.windows);
  EXPECT_EQ(probes_.WindowsNtSystem(), expected.windows_nt);
  EXPECT_EQ(probes_.AdministratorRight(), expected.administrator);
  EXPECT_EQ(probes_.VideoForWindows(), expected.video_for_windows);
  EXPECT_EQ(probes_.DirectX(), expected.direct_x);
  EXPECT_EQ(probes_.DirectDraw(), 1);
  // Wine's SYSTEM.INI names the Indeo 3.2 driver only in a comment.
  EXPECT_EQ(probes_.VfwIndeo(), 0);
}

TEST_F(Win32Probes, TheProcessorAtHandIsIdentified) {
  ProcessorInfo info;
  IdentifyProcessor(platform().system, state_, info);
  std::printf("[ CPU      ] type 0x%04X family %u model %u stepping %u clock %u Hz\n", info.type_code,
              info.family, info.model, info.stepping, info.clock);
  EXPECT_TRUE(info.identification) << "every processor Wine runs on has the instruction";
  EXPECT_TRUE(info.time_stamp_counter);
  EXPECT_GT(info.clock, 100000000u) << "the busy loop of a tenth of a second counts the ticks";
  EXPECT_EQ(probes_.Cpu(), ProcessorClass(info.type_code));
  EXPECT_EQ(probes_.Mmx(), 1);
  EXPECT_TRUE(platform().system.ProcessorFlagToggles(processor_flag::kAlignmentCheck));
  // Some of today's processors divide as a Cyrix does: the vendor text decides.
  std::printf("[ CPU      ] a division %s the flags as a Cyrix does\n",
              platform().system.CyrixDivisionSignature() ? "leaves" : "does not leave");
  const CpuidRegisters leaf0 = platform().system.ProcessorIdentification(0);
  char vendor[13] = {};
  std::memcpy(vendor, &leaf0.ebx, 4);
  std::memcpy(vendor + 4, &leaf0.edx, 4);
  std::memcpy(vendor + 8, &leaf0.ecx, 4);
  EXPECT_EQ(info.type_code & 0xF000, VendorTypeCode(vendor, info.family, info.model) & 0xF000) << vendor;
}

TEST_F(Win32Probes, ScreenMemoryAndSoundAreRead) {
  const ScreenInfo screen = platform().system.Screen();
  EXPECT_EQ(probes_.WindowsResolution(), ResolutionClass(screen.height));
  EXPECT_EQ(probes_.WindowsColors(), ColorClass(screen.planes * screen.bits_per_pixel));
  const std::uint64_t megabytes = platform().system.Memory().total_physical >> 20;
  EXPECT_GT(megabytes, 0u);
  EXPECT_EQ(static_cast<std::uint64_t>(probes_.Memory()), megabytes);
  for (const std::int32_t sound : {probes_.TestSound(), probes_.MaxiSound64()})
    EXPECT_TRUE(sound == 0 || sound == 1);
  EXPECT_EQ(probes_.S3dCard(), 0);
  EXPECT_EQ(probes_.Ati3dCard(), 0);
  EXPECT_EQ(probes_.I740Card(), 0);
  std::printf("[ MACHINE  ] %dx%dx%d, %u MB, %u wave-out devices\n", screen.width, screen.height,
              screen.bits_per_pixel, static_cast<unsigned>(megabytes),
              platform().system.WaveOutDeviceCount());
}

TEST_F(Win32Probes, LibraryFunctionsAreCalledWhicheverWayTheyCleanTheStack) {
  const auto kernel = platform().shell.OpenLibrary("kernel32");
  ASSERT_TRUE(kernel);
  EXPECT_EQ(kernel->CallWithoutArguments("GetCurrentProcessId"), ::GetCurrentProcessId());
  char text[12] = "tarvex";
  std::span<std::byte> block(reinterpret_cast<std::byte*>(text), sizeof text);
  EXPECT_EQ(kernel->CallWithBlock("lstrlenA", block), 6u);  // the callee cleans the stack
  const auto runtime = platform().shell.OpenLibrary("msvcrt.dll");
  ASSERT_TRUE(runtime);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(runtime->CallWithBlock("strlen", block), 6u);  // the caller does
  EXPECT_FALSE(kernel->CallWithoutArguments("NoSuchFunction"));
  EXPECT_FALSE(kernel->HasFunction("NoSuchFunction"));
}

// The label the harness gave drive D:, from "--tvx-cd-label=LABEL" on the
// command line; empty when the run maps no disc.
std::string ExpectedCdLabel() {
  const std::string command_line = ::GetCommandLineA();
  const std::string flag = "--tvx-cd-label=";
  const std::size_t at = command_line.find(flag);
  if (at == std::string::npos) return {};
  const std::size_t start = at + flag.size();
  return command_line.substr(start, command_line.find_first_of(" \"", start) - start);
}

TEST_F(Win32Probes, TheHarnessCdRomIsFoundByItsLabel) {
  const std::string label = ExpectedCdLabel();
  if (label.empty()) GTEST_SKIP() << "run with --cd FOLDER --label LABEL and --tvx-cd-label=LABEL";
  FileSystem& files = platform().files;
  EXPECT_EQ(FindProductCdDrive(files, label, ""), "D:\\");
  EXPECT_EQ(FindProductCdDrive(files, "", label), "D:\\");
  EXPECT_EQ(FindProductCdDrive(files, "NOT-" + label, ""), "\\");
  EXPECT_TRUE(IsCdRomDrive(files, "D:"));
  EXPECT_FALSE(IsCdRomDrive(files, "C:"));
  EXPECT_EQ(VolumeLabelOf(files, "D:"), label);

  // The disc is the test data folder: the same largest file either way.
  std::string source = FixturePath("");
  for (char& c : source)
    if (c == '/') c = '\\';
  const LargestFile on_disc = FindLargestFile(files, "D:\\");
  const LargestFile in_source = FindLargestFile(files, source);
  std::printf("[ CD-ROM   ] largest %s, %u bytes\n", on_disc.path.c_str(),
              static_cast<unsigned>(on_disc.size));
  EXPECT_EQ(on_disc.size, in_source.size);
  ASSERT_GT(on_disc.size, 0u);
  const FindResult same = files.Find(source + on_disc.path.substr(3));
  ASSERT_EQ(same.entries.size(), 1u) << "a file of the disc, found in subfolders too";
  EXPECT_EQ(same.entries[0].size, on_disc.size);

  const std::int32_t speed = ProbeCdRomSpeed(files, platform().system, state_, {label, {}, 0});
  EXPECT_GE(speed, 0);
  EXPECT_LE(speed, 4);
  EXPECT_TRUE(state_.cd_speed_measured);
}

}  // namespace
}  // namespace tvx::testing
