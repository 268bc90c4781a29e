// Initialization-file entries read with the rules of the profile functions.
#include "platform/host/profile_text.h"

#include <gtest/gtest.h>

namespace tvx::host {
namespace {

const char* const kFile =
    "[boot]\r\n"
    "shell=Explorer.exe\r\n"
    "  [ Drivers32 ]  \r\n"
    "VIDC.IV32 = ir32_32.dll  \r\n"
    "quoted=\"  spaced  \"\r\n"
    "single='x'\r\n"
    "half=\"open\r\n"
    "empty=\r\n"
    "bare\r\n"
    "; VIDC.IV50=ir50_32.dll\r\n"
    "msacm.imaadpcm=imaadp32.acm\r\n"
    "[drivers32]\n"
    "later=seen only in the first section\n"
    "[mci]\n"
    "cdaudio=mcicda.dll";

TEST(ProfileText, FindsEntriesWithTheRulesOfTheProfileFunctions) {
  struct Row {
    const char* section;
    const char* key;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {"Drivers32", "VIDC.IV32", "ir32_32.dll"},
      {"DRIVERS32", "vidc.iv32", "ir32_32.dll"},
      {" drivers32 ", " VIDC.IV32 ", "ir32_32.dll"},
      {"drivers32", "quoted", "  spaced  "},
      {"drivers32", "single", "x"},
      {"drivers32", "half", "\"open"},
      {"drivers32", "empty", ""},
      {"drivers32", "bare", ""},
      {"drivers32", "VIDC.IV50", "No"},
      {"drivers32", "later", "No"},
      {"boot", "VIDC.IV32", "No"},
      {"mci", "cdaudio", "mcicda.dll"},
      {"missing", "shell", "No"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.key);
    EXPECT_EQ(LookupProfileText(std::string_view(kFile), row.section, row.key, "No", 50), row.expected);
  }
}

TEST(ProfileText, TruncatesToTheBufferAndTrimsTheDefault) {
  EXPECT_EQ(LookupProfileText(std::string_view(kFile), "drivers32", "vidc.iv32", "No", 5), "ir32");
  EXPECT_EQ(LookupProfileText(std::string_view(kFile), "drivers32", "vidc.iv32", "No", 1), "");
  EXPECT_EQ(LookupProfileText(std::string_view(kFile), "drivers32", "vidc.iv32", "No", 0), "");
  EXPECT_EQ(LookupProfileText(std::nullopt, "drivers32", "vidc.iv32", " default  ", 50), " default");
  EXPECT_EQ(LookupProfileText(std::nullopt, "drivers32", "vidc.iv32", "Default", 4), "Def");
}

TEST(ProfileText, SurvivesAnyBytes) {
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
  noise += "\n[x]\n=\n[\n]\n==\n[]]\nk=v";
  EXPECT_EQ(LookupProfileText(std::string_view(noise), "x", "", "No", 50), "");
  EXPECT_EQ(LookupProfileText(std::string_view(noise), "]", "k", "No", 50), "v");
}

}  // namespace
}  // namespace tvx::host
