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

#include "platform/host/host_shell.h"
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

// The machine's shell, except that every start answers the given result
// without starting anything: the failures a machine cannot be made to give.
class StartAnswering : public host::HostShell {
 public:
  StartAnswering(host::SimulatedMachine& machine, std::uint32_t result);
  std::uint32_t StartProgram(std::string_view command_line, int show_state) override;
  int starts() const { return starts_; }

 private:
  std::uint32_t result_;
  int starts_ = 0;
};

// The machine's Ui, except that while it shows the disc prompt for the
// n-th time (from 1) the disc goes into drive D:.
class DiscArrives : public Ui {
 public:
  DiscArrives(host::SimulatedMachine& machine, int at_prompt) : machine_(machine), at_prompt_(at_prompt) {}
  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  int RunDialog(DialogModel& model) override;
  int RunMainWindow(DialogModel& model) override;
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override;
  Surface& surface() override;
  int prompts() const { return prompts_; }

 private:
  host::SimulatedMachine& machine_;
  int at_prompt_;
  int prompts_ = 0;
};

// The front panel's window as it was last, from the machine's dialogs.
const host::DialogState* LastPanel(TestMachine& machine);

}  // namespace tvx::testing
