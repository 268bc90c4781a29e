// tvxgame on a simulated machine: started by the machine's shell, which
// tells it the machine, its path there, its command line and its folder.
#include <cstdlib>
#include <iostream>

#include "game_record.h"
#include "platform/host/simulated_machine.h"

int main() {
  const char* machine = std::getenv("TVX_MACHINE");
  const char* program = std::getenv("TVX_PROGRAM");
  const char* command_line = std::getenv("TVX_COMMAND_LINE");
  const char* directory = std::getenv("TVX_CURRENT_DIRECTORY");
  if (!machine || !program || !command_line || !directory) {
    std::cerr << "tvxgame: a game of the simulated machine: start it there\n";
    return 2;
  }
  tvx::host::RunOptions options;
  options.program_path = program;
  options.command_line = command_line;
  std::string error;
  auto opened = tvx::host::SimulatedMachine::Open(machine, options, error);
  if (!opened) {
    std::cerr << "tvxgame: " << error << "\n";
    return 2;
  }
  opened->platform().files.ChangeDirectory(directory);
  return tvx::game::RecordThisRun(opened->platform()) ? 0 : 1;
}
