// The software probes: components by system version, the Indeo rule with
// SYSTEM.INI and real version resources, the version text of a file, and
// the two components without an installer.
#include "detection/software_probes.h"

#include <gtest/gtest.h>

#include "detection/system_version.h"
#include "support/fixtures.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

TEST(SoftwareProbes, FollowTheSystemVersion) {
  struct Row {
    const char* label;
    SystemVersion version;
    std::int32_t video_for_windows, direct_x;
  };
  const std::vector<Row> rows = {{"Windows 95/98", {true, false, "4 . 10"}, 1, 0},
                                 {"NT 4 and later", {false, true, "5 . 0"}, 1, 1},
                                 {"neither", {false, false, "3 . 51"}, 0, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ProbeVideoForWindows(row.version), row.video_for_windows);
    EXPECT_EQ(ProbeDirectX(row.version), row.direct_x);
  }
  EXPECT_EQ(ProbeDirectDraw(), 1);
  EXPECT_EQ(ProbeDxMedia(), 0);
  EXPECT_EQ(ProbeAMovie(), 0);
  EXPECT_EQ(InstallDirectDraw(), 1);
}

TEST(FileVersionText, ReadsTheFixedInformationOfTheVersionResource) {
  TestMachine machine;
  struct Row {
    const char* fixture;
    const char* text;
  };
  const std::vector<Row> rows = {{"ir41_32-4.11.15.91.dll", "4.11.15.91"},
                                 {"ir41_32-4.2.0.0.dll", "4.2.0.0"},
                                 {"highest-65535.dll", "65535.65535.65535.65535"},
                                 {"no-version.dll", ""},
                                 {"named-2-1.2.3.4.dll", ""},
                                 {"make-fixtures.sh", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    const std::string path = std::string("D:\\Lib\\") + row.fixture;
    machine.WriteFile(path, ReadFixture(std::string("pe_version/") + row.fixture));
    EXPECT_EQ(FileVersionText(machine.platform().files, machine.platform().system, path), row.text);
  }
  EXPECT_EQ(FileVersionText(machine.platform().files, machine.platform().system, "D:\\Lib\\missing.dll"), "");
}

struct IndeoCase {
  const char* label;
  const char* system_ini;  // null: no SYSTEM.INI
  const char* installed;   // fixture in the system directory, or null
  const char* offered;     // fixture at the installer path, or null
  std::int32_t expected;
};

const char* const kIndeoIni = "[boot]\r\nshell=Explorer.exe\r\n[Drivers32]\r\nVIDC.IV32=IR32_32.DLL\r\n";

TEST(IndeoRule, NeedsTheDriverLineAndACodecAtLeastAsNewAsText) {
  const std::vector<IndeoCase> cases = {
      {"newer as text (4.2 after 4.11)", kIndeoIni, "ir41_32-4.2.0.0.dll", "ir41_32-4.11.15.91.dll", 1},
      {"older as text", kIndeoIni, "ir41_32-4.11.15.91.dll", "ir41_32-4.2.0.0.dll", 0},
      {"the same", kIndeoIni, "ir41_32-4.11.15.91.dll", "ir41_32-4.11.15.91.dll", 1},
      {"not installed", kIndeoIni, nullptr, "ir41_32-4.11.15.91.dll", 0},
      {"installed but without a version", kIndeoIni, "no-version.dll", "ir41_32-4.2.0.0.dll", 0},
      {"nothing on the disc either: empty texts are equal", kIndeoIni, nullptr, nullptr, 1},
      {"no SYSTEM.INI: the default \"No\"", nullptr, "ir41_32-4.2.0.0.dll", "ir41_32-4.2.0.0.dll", 0},
      {"an empty driver value", "[Drivers32]\nVIDC.IV32=\n", "ir41_32-4.2.0.0.dll", "ir41_32-4.2.0.0.dll", 0},
      {"another driver", "[Drivers32]\nVIDC.IV32=ir50_32.dll\n", "ir41_32-4.2.0.0.dll", "ir41_32-4.2.0.0.dll",
       0},
      {"names in any case, a path before the file",
       "[drivers32]\n  vidc.iv32 = C:\\WINDOWS\\SYSTEM\\ir32_32.dll\n", "ir41_32-4.2.0.0.dll",
       "ir41_32-4.2.0.0.dll", 1},
      {"the line in another section", "[drivers]\nVIDC.IV32=ir32_32.dll\n", "ir41_32-4.2.0.0.dll",
       "ir41_32-4.2.0.0.dll", 0},
      {"commented out as Wine ships it", "[drivers32]\n; vidc.IV32=ir32_32.dll\n", "ir41_32-4.2.0.0.dll",
       "ir41_32-4.2.0.0.dll", 0},
  };
  for (const IndeoCase& each : cases) {
    SCOPED_TRACE(each.label);
    TestMachine machine;
    if (each.system_ini) machine.WriteFile("C:\\WINDOWS\\SYSTEM.INI", each.system_ini);
    if (each.installed)
      machine.WriteFile("C:\\WINDOWS\\SYSTEM\\IR41_32.DLL",
                        ReadFixture(std::string("pe_version/") + each.installed));
    if (each.offered)
      machine.WriteFile("D:\\Indeo\\IR41_32.DLL", ReadFixture(std::string("pe_version/") + each.offered));
    EXPECT_EQ(ProbeIndeo(machine.platform().files, machine.platform().system, kIndeo4Codec, "D:\\Indeo\\"),
              each.expected);
  }
}

TEST(IndeoRule, EachCodecLooksForItsOwnFile) {
  TestMachine machine;
  machine.WriteFile("C:\\WINDOWS\\SYSTEM.INI", kIndeoIni);
  machine.WriteFile("C:\\WINDOWS\\SYSTEM\\IR41_32.DLL", ReadFixture("pe_version/ir41_32-4.11.15.91.dll"));
  machine.WriteFile("D:\\Codecs\\IR41_32.DLL", ReadFixture("pe_version/ir41_32-4.11.15.91.dll"));
  machine.WriteFile("D:\\Codecs\\IR50_32.DLL", ReadFixture("pe_version/ir50_32-5.6.2.15.dll"));
  Platform& platform = machine.platform();
  EXPECT_EQ(ProbeIndeo(platform.files, platform.system, kIndeo4Codec, "D:\\Codecs\\"), 1);
  EXPECT_EQ(ProbeIndeo(platform.files, platform.system, kIndeo5Codec, "D:\\Codecs\\"), 0);
  // Probes append the file name as it is: a path without its "\" finds nothing.
  EXPECT_EQ(ProbeIndeo(platform.files, platform.system, kIndeo5Codec, "D:\\Codecs"), 1);
}

TEST(VideoForWindowsAction, SaysItIsMissingAndFails) {
  TestMachine machine;
  EXPECT_EQ(ReportVideoForWindowsMissing(machine.platform().ui, "Zephra Setup"), 0);
  EXPECT_NE(machine.Transcript().find("message-box caption=\"Zephra Setup\" text=\"Video For Windows not "
                                      "installed\" style=0x00010030 owner=none"),
            std::string::npos)
      << machine.Transcript();
}

}  // namespace
}  // namespace tvx::testing
