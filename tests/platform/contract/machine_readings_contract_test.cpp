// The probes' readings that both backends must give alike: entries of an
// initialization file, file versions of real libraries, and the answers of
// absent devices and libraries.
#include <gtest/gtest.h>

#include "platform/contract/contract_backend.h"
#include "support/fixtures.h"

namespace tvx::testing {
namespace {

class MachineReadingsContract : public SeamTest {};

TEST_F(MachineReadingsContract, ProfileTextFollowsTheRulesOfTheProfileFunctions) {
  WriteFile(files(), At("probe.ini"),
            "[boot]\r\nshell=Explorer.exe\r\n  [ Drivers32 ]  \r\nVIDC.IV32 = ir32_32.dll  \r\n"
            "quoted=\"  spaced  \"\r\nsingle='x'\r\nhalf=\"open\r\nempty=\r\n; VIDC.IV50=ir50_32.dll\r\n"
            "[drivers32]\r\nlater=in a second section of that name\r\n[mci]\r\ncdaudio=mcicda.dll\r\n");
  struct Row {
    const char* section;
    const char* key;
    std::size_t buffer;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {"Drivers32", "VIDC.IV32", 50, "ir32_32.dll"}, {"DRIVERS32", "vidc.iv32", 50, "ir32_32.dll"},
      {"drivers32", "quoted", 50, "  spaced  "},     {"drivers32", "single", 50, "x"},
      {"drivers32", "half", 50, "\"open"},           {"drivers32", "empty", 50, ""},
      {"drivers32", "VIDC.IV50", 50, "No"},          {"boot", "VIDC.IV32", 50, "No"},
      {"mci", "cdaudio", 50, "mcicda.dll"},          {"missing", "shell", 50, "No"},
      {"Drivers32", "VIDC.IV32", 5, "ir32"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.key + " in " + std::to_string(row.buffer));
    EXPECT_EQ(system().ProfileText(At("probe.ini"), row.section, row.key, "No", row.buffer), row.expected);
  }
  EXPECT_EQ(system().ProfileText(At("missing.ini"), "drivers32", "vidc.iv32", "Default  ", 50), "Default");
}

TEST_F(MachineReadingsContract, ProfileWritesAreReadBackByTheProfileRules) {
  WriteFile(files(), At("codec.ini"),
            "[boot]\r\nshell=Explorer.exe\r\n; kept comment\r\n[Drivers32]\r\nvidc.iv41 = old.dll\r\n"
            "msacm.imaadpcm=imaadp32.acm\r\n[mci]\r\ncdaudio=mcicda.dll\r\n");
  struct Write {
    const char* label;
    const char* file;
    const char* section;
    const char* key;
    const char* value;
  };
  const std::vector<Write> writes = {
      {"a value replaced, the key in another case", "codec.ini", "drivers32", "VIDC.IV41", "ir41_32.dll"},
      {"a new key in a section", "codec.ini", "DRIVERS32", "VIDC.IV32", "ir32_32.dll"},
      {"a new section", "codec.ini", "Zephra", "Level", "3"},
      {"a new file", "new.ini", "drivers32", "VIDC.IV50", "ir50_32.dll"},
  };
  for (const Write& write : writes) {
    SCOPED_TRACE(write.label);
    ASSERT_TRUE(system().WriteProfileText(At(write.file), write.section, write.key, write.value));
    EXPECT_EQ(system().ProfileText(At(write.file), write.section, write.key, "No", 50), write.value);
  }
  struct Kept {
    const char* section;
    const char* key;
    const char* value;
  };
  const std::vector<Kept> kept = {{"boot", "shell", "Explorer.exe"},
                                  {"drivers32", "msacm.imaadpcm", "imaadp32.acm"},
                                  {"drivers32", "vidc.iv41", "ir41_32.dll"},
                                  {"mci", "cdaudio", "mcicda.dll"}};
  for (const Kept& entry : kept) {
    SCOPED_TRACE(std::string("kept: ") + entry.section + "/" + entry.key);
    EXPECT_EQ(system().ProfileText(At("codec.ini"), entry.section, entry.key, "No", 50), entry.value);
  }
  const std::string text = ReadFile(files(), At("codec.ini"));
  EXPECT_NE(text.find("; kept comment"), std::string::npos) << text;
  EXPECT_EQ(text.find("old.dll"), std::string::npos) << text;
  EXPECT_FALSE(system().WriteProfileText(At("missing\\folder.ini"), "drivers32", "VIDC.IV41", "x"));
  EXPECT_FALSE(Exists(At("missing\\folder.ini")));
}

TEST_F(MachineReadingsContract, FileVersionsOfRealLibraries) {
  struct Row {
    const char* fixture;
    std::optional<FileVersionNumber> expected;
  };
  const std::vector<Row> rows = {
      {"ir41_32-4.11.15.91.dll", FileVersionNumber{0x0004000B, 0x000F005B}},
      {"highest-65535.dll", FileVersionNumber{0xFFFFFFFF, 0xFFFFFFFF}},
      {"no-version.dll", std::nullopt},
      {"named-2-1.2.3.4.dll", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    const std::string bytes = ReadFixture(std::string("pe_version/") + row.fixture);
    ASSERT_FALSE(bytes.empty());
    WriteFile(files(), At(row.fixture), bytes);
    EXPECT_EQ(system().FileVersion(At(row.fixture)), row.expected);
  }
  EXPECT_FALSE(system().FileVersion(At("missing.dll")));
}

TEST_F(MachineReadingsContract, AbsentDevicesAndLibrariesAnswerNothing) {
  EXPECT_FALSE(system().WaveOutCapabilities(system().WaveOutDeviceCount()));
  EXPECT_FALSE(shell().OpenLibrary("tvx-no-such-library"));
  EXPECT_FALSE(system().SetCyrixIdentification(true)) << "no Cyrix here, or no ports to reach";
  const std::uint32_t before = system().MillisecondClock();
  system().SleepMilliseconds(20);
  EXPECT_GE(system().MillisecondClock() - before, 15u);
}

}  // namespace
}  // namespace tvx::testing
