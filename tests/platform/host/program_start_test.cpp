// Starting programs on a simulated machine as WinExec does: which file a
// command line names, blank by blank when unquoted, and the numbers a
// start that fails answers.
#include <gtest/gtest.h>

#include "platform/host/escaped_text.h"

#include "support/test_machine.h"

namespace tvx::testing {
namespace {

TEST(ProgramStartTest, TheProgramIsFoundAsWindowsFindsIt) {
  struct Row {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files;  // path, bytes
    const char* command_line;
    std::uint32_t result;
    const char* started;  // null: nothing journalled
  };
  const char* const kGame = "C:\\Program Files\\Zephra\\Zephra.exe";
  const Row rows[] = {
      {"quoted: the path with its blanks",
       {{kGame, "MZ"}, {"C:\\Program.exe", "MZ"}},
       "\"C:\\Program Files\\Zephra\\Zephra.exe\" -l:English",
       33,
       kGame},
      {"unquoted: the first word that is a file wins",
       {{kGame, "MZ"}, {"C:\\Program.exe", "MZ"}},
       "C:\\Program Files\\Zephra\\Zephra.exe -l:English",
       33,
       "C:\\Program.exe"},
      {"unquoted, no first-word program: the longer name",
       {{kGame, "MZ"}},
       "C:\\Program Files\\Zephra\\Zephra.exe -l:English",
       33,
       kGame},
      {"a name without an extension is looked for with .exe",
       {{"C:\\Games\\Zephra.exe", "MZ"}},
       "C:\\Games\\Zephra -l:English",
       33,
       "C:\\Games\\Zephra.exe"},
      {"a missing program", {{"C:\\Games\\Other.exe", "MZ"}}, "\"C:\\Games\\Zephra.exe\"", 2, nullptr},
      {"a missing folder", {}, "\"C:\\Games\\Zephra.exe\" -l:English", 3, nullptr},
      {"a file that is not a program",
       {{"C:\\Games\\Zephra.exe", "text"}},
       "C:\\Games\\Zephra.exe",
       11,
       nullptr},
      {"an empty line", {}, "", 2, nullptr},
      {"a bare name found in the Windows folder",
       {{"C:\\WINDOWS\\NOTEPAD.EXE", "MZ"}},
       "Notepad.exe D:\\Readme.txt",
       33,
       "C:\\WINDOWS\\Notepad.exe"},
      {"the system folder before the Windows folder",
       {{"C:\\WINDOWS\\Tool.exe", "MZ"}, {"C:\\WINDOWS\\SYSTEM\\Tool.exe", "MZ"}},
       "Tool",
       33,
       "C:\\WINDOWS\\SYSTEM\\Tool.exe"},
      {"a bare name found nowhere", {{"C:\\Other\\Tool.exe", "MZ"}}, "Tool", 2, nullptr},
      {"an unclosed quote names the rest",
       {{"C:\\Games\\Zephra.exe", "MZ"}},
       "\"C:\\Games\\Zephra.exe",
       33,
       "C:\\Games\\Zephra.exe"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TestMachine machine;
    for (const auto& [path, bytes] : row.files) machine.WriteFile(path, bytes);

    EXPECT_EQ(machine.platform().shell.StartProgram(row.command_line, kShowDefault), row.result);

    // The journal escapes its details as the transcript does.
    const std::string journal = row.started
                                    ? "run " +
                                          host::EscapedText(std::string(row.started) + " in " +
                                                            machine.platform().files.CurrentDirectory() +
                                                            " with " + row.command_line) +
                                          "\n"
                                    : std::string();
    EXPECT_EQ(machine.Journal(), journal);
  }
}

TEST(ProgramStartTest, ARestartIsJournalledAndTheMachineGoesOn) {
  TestMachine machine;
  EXPECT_TRUE(machine.platform().shell.RequestRestart());
  EXPECT_EQ(machine.Journal(), "restart asked\n");
}

}  // namespace
}  // namespace tvx::testing
