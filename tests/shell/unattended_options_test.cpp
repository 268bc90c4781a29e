// The unattended options at the start of the command line, and the switch
// rule's reading of every line once they are taken off.
#include "shell/unattended_options.h"

#include <gtest/gtest.h>

#include "shell/command_line.h"

namespace tvx {
namespace {

TEST(UnattendedOptionsTest, OptionsAreTakenOnlyAtTheStart) {
  struct Row {
    const char* line;
    bool silent;
    const char* directory;  // null: not given
    const char* configuration;
    const char* language;
    const char* log;
    const char* left;  // the line the start-up reads
  };
  const Row rows[] = {
      {"SetupTvx.exe /SILENT", true, nullptr, nullptr, nullptr, nullptr, "SetupTvx.exe"},
      {"\"D:\\SetupTvx.exe\" /silent /Dir=C:\\Games\\Zephra", true, "C:\\Games\\Zephra", nullptr, nullptr,
       nullptr, "\"D:\\SetupTvx.exe\""},
      {"SetupTvx.exe /SILENT /DIR=\"C:\\Program Files\\Zephra\" -play Zephra", true,
       "C:\\Program Files\\Zephra", nullptr, nullptr, nullptr, "SetupTvx.exe -play Zephra"},
      {"SetupTvx.exe \"/DIR=C:\\A B\" /SILENT", true, "C:\\A B", nullptr, nullptr, nullptr, "SetupTvx.exe"},
      {"SetupTvx.exe\t/SILENT\t/CONFIG=\"Full installation\" /LANG=FRA /LOG=C:\\s.log  -uninstall Zephra",
       true, nullptr, "Full installation", "FRA", "C:\\s.log", "SetupTvx.exe -uninstall Zephra"},
      {"SetupTvx.exe /CONFIG=2", false, nullptr, "2", nullptr, nullptr, "SetupTvx.exe"},
      // Past the first word that is not an option, nothing is one.
      {"SetupTvx.exe -play Zephra /SILENT", false, nullptr, nullptr, nullptr, nullptr,
       "SetupTvx.exe -play Zephra /SILENT"},
      {"SetupTvx.exe /SILENT -uninstall /SILENT", true, nullptr, nullptr, nullptr, nullptr,
       "SetupTvx.exe -uninstall /SILENT"},
      {"SetupTvx.exe /QUIET /SILENT", false, nullptr, nullptr, nullptr, nullptr,
       "SetupTvx.exe /QUIET /SILENT"},
      {"SetupTvx.exe /SILENT-play", false, nullptr, nullptr, nullptr, nullptr, "SetupTvx.exe /SILENT-play"},
      // Never inside the program's own path.
      {"\"D:\\x /SILENT\\SetupTvx.exe\" -play Zephra", false, nullptr, nullptr, nullptr, nullptr,
       "\"D:\\x /SILENT\\SetupTvx.exe\" -play Zephra"},
      {"\"D:\\no closing quote /SILENT", false, nullptr, nullptr, nullptr, nullptr,
       "\"D:\\no closing quote /SILENT"},
      {"", false, nullptr, nullptr, nullptr, nullptr, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const UnattendedCommandLine split = SplitUnattendedOptions(row.line);
    EXPECT_EQ(split.error, "");
    EXPECT_EQ(split.options.silent, row.silent);
    const auto expect = [](const std::optional<std::string>& got, const char* want) {
      if (want)
        EXPECT_EQ(got, std::optional<std::string>(want));
      else
        EXPECT_FALSE(got) << *got;
    };
    expect(split.options.directory, row.directory);
    expect(split.options.configuration, row.configuration);
    expect(split.options.language, row.language);
    expect(split.options.log, row.log);
    EXPECT_EQ(split.command_line, row.left);
  }
}

TEST(UnattendedOptionsTest, MalformedOrRepeatedOptionsAreRefused) {
  const char* const lines[] = {
      "SetupTvx.exe /SILENT /SILENT",
      "SetupTvx.exe /SILENT /DIR=",
      "SetupTvx.exe /DIR",
      "SetupTvx.exe /SILENT=1",
      "SetupTvx.exe /DIR=A /dir=B",
      "SetupTvx.exe /SILENT /DIR=\"C:\\Program Files -play Zephra",
      "SetupTvx.exe /LOG= -play Zephra",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    EXPECT_NE(SplitUnattendedOptions(line).error, "");
  }
}

// Every line the program reads today means the same with the options in
// front of its arguments as it did without them, and the same untouched.
TEST(UnattendedOptionsTest, TheSwitchRuleSeesTheLineAsWithoutOptions) {
  const char* const arguments[] = {
      "",
      " -play Zephra",
      " -play  two blanks ",
      " -uninstall Multi-player Zephra",
      " -uninstall",
      " -http http://x.invalid/?-play",
      " -play Zephra -uninstall",
      " -PLAY Zephra",
      " -playZephra",
      " Zephra",
  };
  const char* const programs[] = {"\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\"", "D:\\my-player\\SetupTvx.exe"};
  const char* const options[] = {" /SILENT", " /SILENT /DIR=\"C:\\A -play B\" /LOG=C:\\-uninstall.log"};
  for (const char* program : programs) {
    for (const char* rest : arguments) {
      const std::string plain = std::string(program) + rest;
      SCOPED_TRACE(plain);
      const CommandLineSwitches expected = ParseCommandLine(plain);
      EXPECT_EQ(SplitUnattendedOptions(plain).command_line, plain);
      for (const char* option : options) {
        const std::string line = std::string(program) + option + rest;
        SCOPED_TRACE(line);
        const CommandLineSwitches got = ParseCommandLine(SplitUnattendedOptions(line).command_line);
        EXPECT_EQ(got.play_mode, expected.play_mode);
        EXPECT_EQ(got.uninstall_mode, expected.uninstall_mode);
        EXPECT_EQ(got.open_web_link, expected.open_web_link);
        EXPECT_EQ(got.product_argument, expected.product_argument);
      }
    }
  }
}

}  // namespace
}  // namespace tvx
