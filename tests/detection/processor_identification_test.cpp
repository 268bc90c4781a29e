// Processor identification: the vendor tables, the cache rule and the
// classes from readings recorded on real processors, and the paths without
// the identification instruction on simulated machines.
#include "detection/processor_identification.h"

#include <gtest/gtest.h>

#include <map>

#include "detection/detection_process_state.h"
#include "detection/hardware_probes.h"
#include "platform/host/host_system.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

using Leaves = std::map<std::uint32_t, CpuidRegisters>;

// A machine whose processor answers readings recorded from a real one.
class RecordedProcessor : public host::HostSystem {
 public:
  RecordedProcessor(TestMachine& machine, host::SimulatedClock& clock, Leaves leaves)
      : host::HostSystem(machine.machine().profile(), "", clock, machine.machine().files()),
        leaves_(std::move(leaves)) {}

  bool ProcessorFlagToggles(std::uint32_t) override { return true; }
  // Today's processors may leave a division's flags as a Cyrix does (seen on
  // an Intel family 6 model 167): with the instruction, the vendor text decides.
  bool CyrixDivisionSignature() override { return true; }
  CpuidRegisters ProcessorIdentification(std::uint32_t leaf) override {
    ++reads_[leaf];
    const auto found = leaves_.find(leaf);
    return found == leaves_.end() ? CpuidRegisters{} : found->second;
  }
  int ReadsOf(std::uint32_t leaf) const { return reads_.count(leaf) ? reads_.at(leaf) : 0; }

 private:
  Leaves leaves_;
  std::map<std::uint32_t, int> reads_;
};

// Leaf 0 of a vendor: the highest leaf, then the text in EBX, EDX, ECX.
CpuidRegisters Vendor(std::uint32_t highest, const char (&text)[13]) {
  auto word = [&](int at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[at + 3])) << 24;
  };
  return {highest, word(0), word(8), word(4)};
}

struct Recorded {
  const char* label;
  Leaves leaves;
  std::uint16_t type_code;
  std::int32_t cpu_class;
  bool time_stamp_counter;
};

const CpuidRegisters kPentiumIiCache{0x03020101, 0, 0, 0x0C040843};  // 512 KB level 2
const CpuidRegisters kCovingtonCache{0x03020101, 0, 0, 0x0C040840};  // no level 2

std::vector<Recorded> RecordedProcessors() {
  const auto intel = [](std::uint32_t highest) { return Vendor(highest, "GenuineIntel"); };
  const auto amd = Vendor(1, "AuthenticAMD");
  return {
      {"486 DX2 with the instruction", {{0, intel(1)}, {1, {0x435, 0, 0, 0x3}}}, 0x8003, 1, false},
      {"486 DX4", {{0, intel(1)}, {1, {0x480, 0, 0, 0x3}}}, 0x8004, 1, false},
      {"486 SX", {{0, intel(1)}, {1, {0x422, 0, 0, 0x2}}}, 0x8002, 1, false},
      {"Pentium 166", {{0, intel(1)}, {1, {0x52C, 0, 0, 0x1BF}}}, 0x8007, 2, true},
      {"Pentium MMX 233", {{0, intel(1)}, {1, {0x543, 0, 0, 0x8001BF}}}, 0x8008, 2, true},
      {"Pentium Pro",
       {{0, intel(2)}, {1, {0x619, 0, 0, 0xF9FF}}, {2, {0x03020101, 0, 0, 0x06040A42}}},
       0x8009,
       2,
       true},
      {"Pentium II 300",
       {{0, intel(2)}, {1, {0x633, 0, 0, 0x80FBFF}}, {2, kPentiumIiCache}},
       0x800A,
       3,
       true},
      {"Celeron 266 without level-2 cache",
       {{0, intel(2)}, {1, {0x650, 0, 0, 0x183FBFF}}, {2, kCovingtonCache}},
       0x8005,
       3,
       true},
      {"Celeron 300A",
       {{0, intel(2)}, {1, {0x660, 0, 0, 0x183FBFF}}, {2, {0x03020101, 0, 0, 0x0C040841}}},
       0x8006,
       3,
       true},
      {"Pentium III", {{0, intel(3)}, {1, {0x673, 0, 0, 0x387FBFF}}, {2, kPentiumIiCache}}, 0x800B, 4, true},
      {"Pentium 4",
       {{0, intel(2)}, {1, {0xF12, 0, 0, 0x3FEBFBFF}}, {2, {0x665B5001, 0, 0, 0x007A7000}}},
       0x800C,
       5,
       true},
      {"today's Intel (family 6, model 0x9E)",
       {{0, intel(0x16)}, {1, {0x906EA, 0, 0, 0xBFEBFBFF}}, {2, {0x00FEFF01, 0xF0, 0, 0}}},
       0x800B,
       4,
       true},
      {"Intel family 7", {{0, intel(1)}, {1, {0x700, 0, 0, 0x10}}}, 0x8000, 5, true},
      {"AMD K6-2", {{0, amd}, {1, {0x58C, 0, 0, 0x8021BF}}}, 0x4005, 2, true},
      {"AMD K5 model 0", {{0, amd}, {1, {0x501, 0, 0, 0x3BF}}}, 0x4003, 2, true},
      {"AMD 486", {{0, amd}, {1, {0x430, 0, 0, 0x1}}}, 0x4001, 2, false},
      {"AMD Athlon", {{0, amd}, {1, {0x621, 0, 0, 0x183F9FF}}}, 0x4000, 2, true},
      {"AMD with the counter only in the extended leaf",
       {{0, amd},
        {1, {0x580, 0, 0, 0x1}},
        {0x80000000, {0x80000001, 0, 0, 0}},
        {0x80000001, {0, 0, 0, 0x10}}},
       0x4005,
       2,
       true},
      {"Cyrix 6x86MX", {{0, Vendor(1, "CyrixInstead")}, {1, {0x600, 0, 0, 0x80A135}}}, 0x2002, 2, true},
      {"Cyrix MediaGX", {{0, Vendor(1, "CyrixInstead")}, {1, {0x544, 0, 0, 0x8001}}}, 0x2004, 2, false},
      {"Centaur WinChip C6",
       {{0, Vendor(1, "CentaurHauls")}, {1, {0x541, 0, 0, 0x8001BF}}},
       0x1001,
       -1,
       true},
      {"Centaur WinChip 2", {{0, Vendor(1, "CentaurHauls")}, {1, {0x585, 0, 0, 0x8001BF}}}, 0x1002, -1, true},
      {"an unknown vendor", {{0, Vendor(1, "GenuineTMx86")}, {1, {0x543, 0, 0, 0x8001BF}}}, 0, -1, false},
  };
}

class ProcessorTest : public ::testing::Test {
 protected:
  TestMachine machine_;
  host::SimulatedClock clock_;
  DetectionProcessState state_;
};

TEST_F(ProcessorTest, RecordedReadingsGiveTheTypeCodeAndClassOfEachProcessor) {
  for (const Recorded& row : RecordedProcessors()) {
    SCOPED_TRACE(row.label);
    RecordedProcessor processor(machine_, clock_, row.leaves);
    ProcessorInfo info;
    IdentifyProcessor(processor, state_, info);
    EXPECT_TRUE(info.identification);
    EXPECT_EQ(info.type_code, row.type_code);
    EXPECT_EQ(ProcessorClass(info.type_code), row.cpu_class);
    EXPECT_EQ(ProbeCpu(processor, state_), row.cpu_class);
    EXPECT_EQ(info.time_stamp_counter, row.time_stamp_counter);
    if (row.type_code != 0) {
      EXPECT_EQ(info.family, (row.leaves.at(1).eax >> 8) & 0xF);
    }
  }
}

TEST_F(ProcessorTest, OnlyIntelReadsTheCacheLeafAndOnlyWhenItExists) {
  RecordedProcessor pentium(machine_, clock_, {{0, Vendor(1, "GenuineIntel")}, {1, {0x633, 0, 0, 0}}});
  ProcessorInfo info;
  IdentifyProcessor(pentium, state_, info);
  EXPECT_EQ(pentium.ReadsOf(2), 0);
  // Leaf 1 is the highest: no cache reading, so no proof of a missing cache.
  EXPECT_EQ(info.type_code, 0x800A);

  RecordedProcessor unknown(machine_, clock_, {{0, Vendor(1, "NexGenDriven")}, {1, {0x500, 0, 0, 0x10}}});
  ProcessorInfo unknown_info;
  IdentifyProcessor(unknown, state_, unknown_info);
  EXPECT_EQ(unknown.ReadsOf(1), 0) << "an unknown vendor leaves the record as it is";
  EXPECT_EQ(unknown_info.clock, 0u);
}

TEST(Level2Cache, DescriptorBytesNameTheSize) {
  struct Row {
    const char* label;
    std::vector<CpuidRegisters> readings;
    std::uint32_t kilobytes;
  };
  const std::vector<Row> rows = {
      {"Pentium II: 0x43", {kPentiumIiCache}, 512},
      {"Covington: 0x40", {kCovingtonCache}, 0},
      {"0x41 in EAX after the count byte", {{0x00004101, 0, 0, 0}}, 128},
      {"the count byte is not a descriptor", {{0x00000044, 0, 0, 0}}, 0},
      {"0x45 in ECX", {{0x01, 0, 0x45000000, 0}}, 2048},
      {"a register with bit 31 set holds none", {{0x01, 0x80000044, 0, 0}}, 0},
      {"a later reading names it", {{0x02, 0, 0, 0}, {0x02, 0, 0, 0x42}}, 256},
      {"today's processors name none here", {{0x00FEFF01, 0xF0, 0, 0}}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Level2CacheKilobytes(row.readings), row.kilobytes);
  }
}

TEST(ProcessorClass, FollowsTheTable) {
  const std::vector<std::pair<std::uint16_t, std::int32_t>> rows = {
      {0x8001, 0}, {0x8002, 1}, {0x8003, 1}, {0x8004, 1},  {0x8007, 2},  {0x8008, 2}, {0x8009, 2},
      {0x8005, 3}, {0x8006, 3}, {0x800A, 3}, {0x800B, 4},  {0x8000, 5},  {0x800C, 5}, {0x4000, 2},
      {0x4006, 2}, {0x2000, 2}, {0x2004, 2}, {0x1000, -1}, {0x1002, -1}, {0, -1},     {0x800D, -1}};
  for (const auto& [code, expected] : rows) {
    SCOPED_TRACE(code);
    EXPECT_EQ(ProcessorClass(code), expected);
  }
}

TEST(VendorTypeCodes, CoverEveryModelRule) {
  struct Row {
    const char* vendor;
    std::uint32_t family, model;
    std::uint16_t code;
  };
  const std::vector<Row> rows = {
      {"AuthenticAMD", 4, 0, 0x4002},  {"AuthenticAMD", 4, 9, 0x4001},  {"AuthenticAMD", 5, 3, 0x4003},
      {"AuthenticAMD", 5, 6, 0x4004},  {"AuthenticAMD", 5, 7, 0x4004},  {"AuthenticAMD", 5, 9, 0x4006},
      {"AuthenticAMD", 5, 13, 0x4000}, {"AuthenticAMD", 15, 1, 0x4000}, {"CyrixInstead", 5, 2, 0x2001},
      {"CyrixInstead", 4, 4, 0x2003},  {"CyrixInstead", 6, 1, 0x2000},  {"CentaurHauls", 5, 0, 0x1001},
      {"CentaurHauls", 5, 9, 0x1000},  {"CentaurHauls", 6, 7, 0x1000},  {"GenuineIntel", 6, 5, 0x800A},
      {"GenuineIntel", 3, 0, 0x8000},  {"genuineintel", 6, 5, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.vendor) + " " + std::to_string(row.family) + "/" +
                 std::to_string(row.model));
    EXPECT_EQ(VendorTypeCode(row.vendor, row.family, row.model), row.code);
  }
}

// Processors without the instruction, as the simulated machine has them.
struct Legacy {
  const char* label;
  const char* patch;
  std::uint16_t type_code;
};

TEST(ProcessorWithoutIdentification, IsTold386486OrCyrix) {
  const std::vector<Legacy> rows = {
      {"386: neither bit 21 nor bit 18 toggles",
       R"({"cpu": {"has_cpuid": false, "ac_flag": false, "tsc": false, "mmx": false}})", 0x8001},
      {"486 without the instruction", R"({"cpu": {"has_cpuid": false, "tsc": false, "mmx": false}})", 0x8002},
      {"Cyrix 486 on Windows 95: the registers switch the instruction on",
       R"({"cpu": {"vendor": "CyrixInstead", "family": 4, "model": 4, "has_cpuid": false, "tsc": false}})",
       0x2003},
      {"Cyrix on NT: the ports are out of reach",
       R"({"os": {"platform": 2, "major": 4, "minor": 0, "service": "Service Pack 3"},
           "cpu": {"vendor": "CyrixInstead", "family": 4, "model": 4, "has_cpuid": false}})",
       0x2000},
  };
  for (const Legacy& row : rows) {
    SCOPED_TRACE(row.label);
    const auto machine = MachineWith(row.patch);
    System& system = machine->platform().system;
    DetectionProcessState state;
    ProcessorInfo info;
    IdentifyProcessor(system, state, info);
    EXPECT_EQ(info.type_code, row.type_code);
    EXPECT_EQ(ProbeMmx(system), 0) << "bit 21 does not toggle once identification is over";
    EXPECT_FALSE(system.ProcessorFlagToggles(processor_flag::kIdentification))
        << "the Cyrix instruction is switched off again";
  }
}

// Pins a fault: the Cyrix registers are tried once per process, and a
// second detection run fell through to the 486 rule, class 1 instead of 2.
TEST(ProcessorWithoutIdentification, ACyrixStaysACyrixOnTheSecondRun) {
  for (const char* os : {R"({"platform": 1, "major": 4, "minor": 0, "service": ""})",
                         R"({"platform": 2, "major": 4, "minor": 0, "service": "Service Pack 3"})"}) {
    SCOPED_TRACE(os);
    const auto machine = MachineWith(std::string(R"({"os": )") + os +
                                     R"(, "cpu": {"vendor": "CyrixInstead", "family": 5, "model": 2,
                                                  "has_cpuid": false, "tsc": false}})");
    DetectionProcessState state;
    EXPECT_EQ(ProbeCpu(machine->platform().system, state), 2);
    EXPECT_TRUE(state.cyrix_tried);
    EXPECT_EQ(ProbeCpu(machine->platform().system, state), 2);
  }
}

TEST(MeasureProcessorClock, CountsTheTicksOfATenthOfASecondTimesTen) {
  struct Row {
    const char* label;
    const char* patch;
    std::uint32_t low, high;
  };
  const std::vector<Row> rows = {
      {"Pentium 166 with a performance counter",
       R"({"cpu": {"family": 5, "model": 2, "clock_hz": 166000000}})", 166000000, 166500000},
      {"no performance counter: one second of sleep",
       R"({"cpu": {"clock_hz": 233000000, "performance_counter": false}})", 233000000, 233000000},
      {"3.5 GHz: still under 2^32", R"({"cpu": {"clock_hz": 3500000000}})", 3500000000u, 3510000000u},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const auto machine = MachineWith(row.patch);
    const std::uint32_t clock = MeasureProcessorClock(machine->platform().system);
    EXPECT_GE(clock, row.low);
    EXPECT_LE(clock, row.high);
    DetectionProcessState state;
    ProcessorInfo info;
    IdentifyProcessor(machine->platform().system, state, info);
    EXPECT_TRUE(info.time_stamp_counter);
    EXPECT_GE(info.clock, row.low);
  }
}

}  // namespace
}  // namespace tvx::testing
