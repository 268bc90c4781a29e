// The command-line switches.
#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(CommandLineTest, SwitchesTakeTheRestOfTheLine) {
  struct Row {
    const char* line;
    bool play, uninstall, web;
    const char* product;
    const char* uninstall_product;
  };
  const Row rows[] = {
      {"\"D:\\SetupTvx.exe\"", false, false, false, "", ""},
      {"\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\" -play Zephra", true, false, false, "Zephra", ""},
      {"SetupTvx.exe -play Zephra Gold Edition", true, false, false, "Zephra Gold Edition", ""},
      {"SetupTvx.exe -play Zephra -play Other", true, false, false, "Zephra -play Other", ""},
      {"SetupTvx.exe -play", true, false, false, "", ""},
      {"SetupTvx.exe -play ", true, false, false, "", ""},
      {"SetupTvx.exe -play  two blanks ", true, false, false, " two blanks ", ""},
      {"SetupTvx.exe -uninstall Zephra", false, true, false, "Zephra", "Zephra"},
      {"SetupTvx.exe -uninstall", false, true, false, "", ""},
      {"SetupTvx.exe -http http://x.invalid/", true, false, true, "http://x.invalid/", ""},
      {"SetupTvx.exe -http", true, false, true, "", ""},
      {"SetupTvx.exe -PLAY Zephra", false, false, false, "", ""},
      {"SetupTvx.exe -uninstall A -play B", true, true, false, "B", "A -play B"},
      {"SetupTvx.exe-playZephra", true, false, false, "ephra", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const CommandLineSwitches switches = ParseCommandLine(row.line);
    EXPECT_EQ(switches.play_mode, row.play);
    EXPECT_EQ(switches.uninstall_mode, row.uninstall);
    EXPECT_EQ(switches.open_web_link, row.web);
    EXPECT_EQ(switches.product_argument, row.product);
    EXPECT_EQ(switches.uninstall_product, row.uninstall_product);
  }
}

}  // namespace
}  // namespace tvx
