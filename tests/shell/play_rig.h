// The sample product on a simulated Windows 98 machine for the Play tests:
// recorded as installed the way an installation leaves it, with the
// project's test game in place, and the program started on it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/front_panel.h"
#include "support/test_machine.h"

namespace tvx::testing {

// The Windows 98 example profile with a JSON merge patch applied.
std::string Win98ProfileWith(const std::string& patch_json);
// The sample disc in drive D: of that machine.
std::unique_ptr<TestMachine> SampleMachine(const std::string& profile_patch = "{}",
                                           const std::string& answers = "");

struct Installed {
  std::string directory = "C:\\Tarvex\\Zephra\\";
  int configuration = 1;  // "Full installation", which suits the Windows 98 machine
  std::string language = "English";
  std::string source_data_path = "\\";
  // Texts replaced in the installed script, in order.
  std::vector<std::pair<std::string, std::string>> script_changes;
};

// Records the sample in "tvx.ini" and puts its files where the record and
// the script say, the test game as its program.
void InstallSample(TestMachine& machine, const Installed& installed = {});
// The script of the disc with texts replaced.
void ChangeDiscScript(TestMachine& machine, const std::vector<std::pair<std::string, std::string>>& changes);
// The test game at that place on the machine, ready to run.
void PlantGame(TestMachine& machine, const std::string& windows_path);

// What the test game wrote down, one entry per start.
struct GameRun {
  std::string program;
  std::string command_line;
  std::string directory;
  bool mutex_taken = false;
};
std::vector<GameRun> GameRuns(TestMachine& machine);

struct SetupRun {
  StartupResult startup = StartupResult::Continue;
  std::optional<PlayReport> play;
  bool quit_posted = false;
  bool return_key_armed = true;
};

// Runs the program as the entry point does; prepare sets the session up
// first (a component that asked for a restart), platform replaces the
// machine's own (a Ui that puts the disc in).
SetupRun StartSetup(TestMachine& machine, const std::string& command_line,
                    const std::function<void(Session&)>& prepare = {}, Platform* platform = nullptr);

// The front panel's window as it was last, from the machine's dialogs.
const host::DialogState* LastPanel(TestMachine& machine);

}  // namespace tvx::testing
