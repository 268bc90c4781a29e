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

TEST(ProfileEntry, ChangesOnlyTheEntryItSets) {
  struct Row {
    const char* label;
    const char* before;
    const char* section;
    const char* key;
    const char* after;
  };
  const std::vector<Row> rows = {
      {"an empty file", "", "drivers32", "VIDC.IV41", "[drivers32]\r\nVIDC.IV41=ir41_32.dll\r\n"},
      {"a new section at the end", "[boot]\r\nshell=Explorer.exe\r\n", "drivers32", "VIDC.IV41",
       "[boot]\r\nshell=Explorer.exe\r\n[drivers32]\r\nVIDC.IV41=ir41_32.dll\r\n"},
      {"a last line without its break", "[boot]\nshell=Explorer.exe", "drivers32", "VIDC.IV41",
       "[boot]\nshell=Explorer.exe\r\n[drivers32]\r\nVIDC.IV41=ir41_32.dll\r\n"},
      {"a new key after the section's last entry, before its blank lines",
       "[Drivers32]\r\nmsacm.imaadpcm=imaadp32.acm\r\n\r\n[mci]\r\ncdaudio=mcicda.dll\r\n", "drivers32",
       "VIDC.IV41",
       "[Drivers32]\r\nmsacm.imaadpcm=imaadp32.acm\r\nVIDC.IV41=ir41_32.dll\r\n\r\n[mci]\r\ncdaudio=mcicda."
       "dll\r\n"},
      {"a new key in a last section without a break", "[drivers32]\r\nwave=x.drv", "drivers32", "VIDC.IV41",
       "[drivers32]\r\nwave=x.drv\r\nVIDC.IV41=ir41_32.dll\r\n"},
      {"a value replaced in place, names in any case, the file's spelling kept",
       "[boot]\r\n [ DRIVERS32 ] \r\n  vidc.iv41 = old.dll  \r\nwave=x.drv\r\n", "drivers32", "VIDC.IV41",
       "[boot]\r\n [ DRIVERS32 ] \r\n  vidc.iv41=ir41_32.dll\r\nwave=x.drv\r\n"},
      {"a bare key gets its value", "[drivers32]\nVIDC.IV41\nwave=x.drv\n", "drivers32", "VIDC.IV41",
       "[drivers32]\nVIDC.IV41=ir41_32.dll\nwave=x.drv\n"},
      {"a commented entry is not the entry", "[drivers32]\r\n; VIDC.IV41=ir41_32.dll\r\n", "drivers32",
       "VIDC.IV41", "[drivers32]\r\n; VIDC.IV41=ir41_32.dll\r\nVIDC.IV41=ir41_32.dll\r\n"},
      {"only the first section of the name", "[drivers32]\r\na=1\r\n[drivers32]\r\nVIDC.IV41=x\r\n",
       "drivers32", "VIDC.IV41",
       "[drivers32]\r\na=1\r\nVIDC.IV41=ir41_32.dll\r\n[drivers32]\r\nVIDC.IV41=x\r\n"},
      {"the same key in another section stays", "[drivers]\r\nVIDC.IV41=old\r\n", "drivers32", "VIDC.IV41",
       "[drivers]\r\nVIDC.IV41=old\r\n[drivers32]\r\nVIDC.IV41=ir41_32.dll\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    const std::string after = WithProfileEntry(row.before, row.section, row.key, "ir41_32.dll");
    EXPECT_EQ(after, row.after);
    EXPECT_EQ(LookupProfileText(std::string_view(after), row.section, row.key, "No", 50), "ir41_32.dll");
  }
}

TEST(ProfileEntry, SurvivesAnyBytes) {
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
  for (const char* tail : {"", "\n[x]\n=\n[\n]\n==\n[]]\nk=v", "\n[x]", "\n[x]\nk"}) {
    SCOPED_TRACE(tail);
    const std::string before = noise + tail;
    const std::string after = WithProfileEntry(before, "x", "k", "set");
    EXPECT_EQ(LookupProfileText(std::string_view(after), "x", "k", "No", 50), "set");
  }
}

}  // namespace
}  // namespace tvx::host
