// The CD-ROM speed test: the classes of a timing, the stored result read
// back, and the timing of the product disc on simulated drives.
#include "detection/cd_rom_speed.h"

#include <gtest/gtest.h>

#include "detection/detection_process_state.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr std::uint64_t kFullRead = kCdTimingChunk * kCdTimingReads;  // 10,547,200 bytes

TEST(CdSpeedClass, TurnsTheRateIntoAClass) {
  struct Row {
    const char* label;
    std::uint64_t bytes;
    std::uint32_t ms;
    std::int32_t expected;
  };
  // 10,300,000 / ms is the rate of a whole read in KB per second.
  const std::vector<Row> rows = {
      {"149 KB/s", kFullRead, 10300000 / 149, 0},
      {"150 KB/s", kFullRead, 10300000 / 150, 1},
      {"299 KB/s", kFullRead, 10300000 / 299 + 1, 1},
      {"300 KB/s", kFullRead, 10300000 / 300, 2},
      {"just under 600", kFullRead, 17167, 2},
      {"600 KB/s", kFullRead, 17166, 3},
      {"899 KB/s", kFullRead, 11458, 3},
      {"900 KB/s", kFullRead, 11444, 4},
      {"nothing read", 0, 100, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(CdSpeedClass(row.bytes, row.ms), row.expected);
  }
}

// Pins a fault: a read that took no measurable time divided by zero.
TEST(CdSpeedClass, NoElapsedTimeIsTheFastestClass) { EXPECT_EQ(CdSpeedClass(kFullRead, 0), 4); }

// Pins a fault: the rate assumed 10 MB were read even when the largest file
// on the disc is shorter, so a slow drive with small files passed for fast.
TEST(CdSpeedClass, CountsOnlyTheBytesThatWereRead) {
  const std::uint64_t one_megabyte = 1024 * 1024;
  EXPECT_EQ(CdSpeedClass(one_megabyte, 1000 * 1024 / 300), 2);  // 300 KB/s, not 3,000
}

TEST(CdSpeedClassFromStored, TakesTheValueBaseOff) {
  struct Row {
    const char* label;
    std::optional<std::int32_t> stored;
    std::int32_t base, expected;
  };
  const std::vector<Row> rows = {
      {"the sample strings: base 1040", 1043, 1040, 3},
      {"written under another base", 62, 1040, 0},
      {"base 60", 64, 60, 4},
      {"no section: base 0", 2, 0, 2},
      {"below the base", 1039, 1040, 0},
      {"above the classes", 1045, 1040, 0},
      {"unreadable", std::nullopt, 1040, 0},
      {"far out of range", -2147483647 - 1, 1040, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(CdSpeedClassFromStored(row.stored, row.base), row.expected);
  }
}

std::unique_ptr<TestMachine> MachineWithCd(std::uint32_t kb_per_second, const std::string& label = "ZEPHRA") {
  return MachineWith(R"({"drives": [
      {"letter": "C", "type": "fixed", "capacity": 1073741824},
      {"letter": "D", "type": "cdrom", "label": ")" +
                     label + R"(", "read_kb_per_second": )" + std::to_string(kb_per_second) + "}]}");
}

TEST(ProbeCdRomSpeed, TimesTheLargestFileOfTheProductDisc) {
  struct Row {
    std::uint32_t kb_per_second;
    std::int32_t expected;
  };
  for (const Row& row : std::vector<Row>{{75, 0}, {150, 1}, {300, 2}, {600, 3}, {1200, 4}, {0, 4}}) {
    SCOPED_TRACE(row.kb_per_second);
    const auto machine = MachineWithCd(row.kb_per_second);
    machine->WriteSizedFile("D:\\Data\\Textures.dat", 12 << 20);
    machine->WriteSizedFile("D:\\Setup.exe", 300000);
    DetectionProcessState state;
    EXPECT_EQ(
        ProbeCdRomSpeed(machine->platform().files, machine->platform().system, state, {"Zephra", {}, 0}),
        row.expected);
    EXPECT_TRUE(state.cd_speed_measured);
  }
}

TEST(ProbeCdRomSpeed, ReadsTheStoredSpeedBackOnceMeasured) {
  const auto machine = MachineWithCd(600);
  machine->WriteSizedFile("D:\\Data.dat", 12 << 20);
  DetectionProcessState state;
  int reads_back = 0;
  const CdSpeedSources sources{"ZEPHRA",
                               [&]() -> std::optional<std::int32_t> {
                                 ++reads_back;
                                 return 1041;
                               },
                               1040};
  System& system = machine->platform().system;
  const std::uint32_t before = system.MillisecondClock();
  EXPECT_EQ(ProbeCdRomSpeed(machine->platform().files, system, state, sources), 3);
  EXPECT_GT(system.MillisecondClock() - before, 17000u) << "10 MB at 600 KB/s";
  EXPECT_EQ(reads_back, 0);
  const std::uint32_t second = system.MillisecondClock();
  EXPECT_EQ(ProbeCdRomSpeed(machine->platform().files, system, state, sources), 1);
  EXPECT_EQ(reads_back, 1);
  EXPECT_EQ(system.MillisecondClock(), second) << "no second timing";

  const CdSpeedSources unreadable{"ZEPHRA", [] { return std::optional<std::int32_t>(); }, 1040};
  EXPECT_EQ(ProbeCdRomSpeed(machine->platform().files, system, state, unreadable), 0);
}

TEST(ProbeCdRomSpeed, WithoutTheDiscTimesTheLargestFileFromTheCurrentDrive) {
  const auto machine = MachineWithCd(75, "OTHER");
  machine->WriteSizedFile("D:\\Slow.dat", 12 << 20);
  machine->WriteSizedFile("C:\\Games\\Big.dat", 4 << 20);
  FileSystem& files = machine->platform().files;
  ASSERT_EQ(files.ChangeDirectory("C:\\Games"), FileError::None);
  DetectionProcessState state;
  // The hard disk takes no time here: the fastest class, not the CD's 0.
  EXPECT_EQ(ProbeCdRomSpeed(files, machine->platform().system, state, {"ZEPHRA", {}, 0}), 4);
  EXPECT_TRUE(state.cd_speed_measured);
}

TEST(ProbeCdRomSpeed, AnEmptyDiscGivesClassZeroAndIsTimedAgainLater) {
  const auto machine = MachineWithCd(600);
  DetectionProcessState state;
  EXPECT_EQ(ProbeCdRomSpeed(machine->platform().files, machine->platform().system, state, {"ZEPHRA", {}, 0}),
            0);
  EXPECT_FALSE(state.cd_speed_measured);
}

}  // namespace
}  // namespace tvx::testing
