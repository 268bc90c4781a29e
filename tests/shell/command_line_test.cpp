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
      {"SetupTvx.exe -playZephra", true, false, false, "ephra", ""},
      // The first switch takes the rest of the line, whatever it holds.
      {"SetupTvx.exe -uninstall A -play B", false, true, false, "A -play B", "A -play B"},
      {"\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\" -uninstall Multi-player Zephra", false, true, false,
       "Multi-player Zephra", "Multi-player Zephra"},
      {"SetupTvx.exe -play Zephra -uninstall", true, false, false, "Zephra -uninstall", ""},
      {"SetupTvx.exe -http http://x.invalid/?-play", true, false, true, "http://x.invalid/?-play", ""},
      // Never a switch inside the program's own path.
      {"D:\\Games\\my-player\\SetupTvx.exe", false, false, false, "", ""},
      {"\"D:\\Games\\my-player\\SetupTvx.exe\"", false, false, false, "", ""},
      {"\"D:\\my-http\\my-uninstall\\SetupTvx.exe\" -play Zephra", true, false, false, "Zephra", ""},
      {"D:\\Games\\my-player\\SetupTvx.exe -play Zephra", true, false, false, "Zephra", ""},
      {"SetupTvx.exe-playZephra", false, false, false, "", ""},
      {"\"D:\\no closing quote -play Zephra", false, false, false, "", ""},
      {"", false, false, false, "", ""},
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
