// The system probes on every version record the program meets.
#include "detection/system_probes.h"

#include <gtest/gtest.h>

#include "support/test_machine.h"

namespace tvx::testing {
namespace {

struct Row {
  const char* label;
  VersionRecord version;
  std::int32_t w95, w98, wnt40, w2000, windows, windows_nt;
};

const std::vector<Row> kRows = {
    {"Windows 95", {1, 4, 0, 950, ""}, 0, -1, -1, -1, 1, -1},
    {"Windows 95 OSR1", {1, 4, 0, 950, "A"}, 1, -1, -1, -1, 1, -1},
    {"Windows 95 OSR2", {1, 4, 0, 1111, "B"}, 2, -1, -1, -1, 1, -1},
    {"Windows 95 with \" B\": texts compare exactly", {1, 4, 0, 1111, " B"}, 0, -1, -1, -1, 1, -1},
    {"Windows 95 OSR 2.5 \"C\"", {1, 4, 0, 1212, "C"}, 0, -1, -1, -1, 1, -1},
    {"Windows 98", {1, 4, 10, 1998, ""}, -1, 0, -1, -1, 1, -1},
    {"Windows 98 SE", {1, 4, 10, 2222, " A "}, -1, 0, -1, -1, 1, -1},
    {"Windows Me", {1, 4, 90, 3000, " "}, -1, -1, -1, -1, 1, -1},
    {"NT 4.0", {2, 4, 0, 1381, ""}, -1, -1, 0, -1, -1, 1},
    {"NT 4.0 SP3", {2, 4, 0, 1381, "Service Pack 3"}, -1, -1, 3, -1, -1, 1},
    {"NT 4.0 SP4", {2, 4, 0, 1381, "Service Pack 4"}, -1, -1, 4, -1, -1, 1},
    {"NT 4.0 SP6a: later than 4", {2, 4, 0, 1381, "Service Pack 6a"}, -1, -1, 0, -1, -1, 1},
    {"NT 4.0 \"service pack 1\"", {2, 4, 0, 1381, "service pack 1"}, -1, -1, 0, -1, -1, 1},
    {"Windows 2000 SP4", {2, 5, 0, 2195, "Service Pack 4"}, -1, -1, -1, 0, -1, 1},
    {"Windows XP", {2, 5, 1, 2600, "Service Pack 3"}, -1, -1, -1, -1, -1, 1},
    {"today's Windows", {2, 6, 2, 9200, ""}, -1, -1, -1, -1, -1, 1},
    {"NT 3.51", {2, 3, 51, 1057, "Service Pack 5"}, -1, -1, -1, -1, -1, 1},
    {"Win32s", {0, 3, 10, 0, ""}, -1, -1, -1, -1, -1, -1},
};

TEST(SystemProbes, GiveTheValuesOfTheVersionTable) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ProbeW95(row.version), row.w95);
    EXPECT_EQ(ProbeW98(row.version), row.w98);
    EXPECT_EQ(ProbeWnt40(row.version), row.wnt40);
    EXPECT_EQ(ProbeW2000(row.version), row.w2000);
    EXPECT_EQ(ProbeWindowsSystem(row.version), row.windows);
    EXPECT_EQ(ProbeWindowsNtSystem(row.version), row.windows_nt);
  }
}

TEST(AdministratorRight, HoldsOnWindows95And98AndForAdministratorsOnNt) {
  struct Case {
    const char* label;
    std::string patch;
    std::int32_t expected;
  };
  const std::string nt = R"("os": {"platform": 2, "major": 4, "minor": 0, "service": "Service Pack 3"})";
  const std::vector<Case> cases = {
      {"Windows 98, administrator", R"({"administrator": true})", 1},
      {"Windows 98, not an administrator", R"({"administrator": false})", 1},
      {"NT administrator", "{" + nt + R"(, "administrator": true})", 1},
      {"NT user", "{" + nt + R"(, "administrator": false})", 0},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.label);
    EXPECT_EQ(ProbeAdministratorRight(MachineWith(each.patch)->platform().system), each.expected);
  }
}

}  // namespace
}  // namespace tvx::testing
