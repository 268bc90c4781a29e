#include "shell/play_rig.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

namespace tvx::testing {
namespace fs = std::filesystem;

namespace {

// Configuration 1's files and the common files, where they are installed.
const char* const kInstalledFiles[] = {"Zephra.ico", "Zephra.cfg", "Data\\Zephra.dat", "Data\\Textures.dat"};
const char* const kSystemFiles[] = {"C:\\WINDOWS\\SYSTEM\\Zephcore.dll", "C:\\WINDOWS\\FONTS\\Zephra.ttf",
                                    "C:\\WINDOWS\\FONTS\\Zephbold.ttf"};

std::string Replaced(std::string text, const std::vector<std::pair<std::string, std::string>>& changes) {
  for (const auto& [from, to] : changes) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error("not in the script: " + from);
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string Record(const Installed& installed) {
  return "[INSTALLED PRODUCTS]\r\nZephra\r\n\r\n[Zephra]\r\nDirectory=" + installed.directory +
         "\r\nSrcDataPath=" + installed.source_data_path +
         "\r\nVolumeName=ZEPHRA\r\nConfiguration=" + std::to_string(installed.configuration) +
         "\r\nLanguage=" + installed.language + "\r\n";
}

std::string After(const std::string& line, const std::string& label) {
  return line.rfind(label, 0) == 0 ? line.substr(label.size()) : std::string();
}

}  // namespace

std::string Win98ProfileWith(const std::string& patch_json) {
  nlohmann::json profile = nlohmann::json::parse(ReadHostText(ExampleProfile("win98")));
  profile.merge_patch(nlohmann::json::parse(patch_json));
  return profile.dump(2);
}

std::unique_ptr<TestMachine> SampleMachine(const std::string& profile_patch, const std::string& answers) {
  TestMachine::Options options;
  options.profile_json = Win98ProfileWith(profile_patch);
  options.disc = SampleDisc();
  options.answers = answers;
  return std::make_unique<TestMachine>(std::move(options));
}

void InstallSample(TestMachine& machine, const Installed& installed) {
  machine.WriteFile("C:\\WINDOWS\\Tarvex\\tvx.ini", Record(installed));
  const std::string data = installed.directory + "InstData";
  machine.CopyIn(SampleDisc() / "InstData", data);
  machine.WriteFile(data + "\\tvx.ins",
                    Replaced(ReadHostText(SampleDisc() / "InstData" / "tvx.ins"), installed.script_changes));
  for (const char* file : kInstalledFiles) machine.WriteFile(installed.directory + file, "x");
  for (const char* file : kSystemFiles) machine.WriteFile(file, "x");
  PlantGame(machine, installed.directory + "Zephra.exe");
}

void ChangeDiscScript(TestMachine& machine, const std::vector<std::pair<std::string, std::string>>& changes) {
  machine.WriteFile("D:\\InstData\\tvx.ins",
                    Replaced(ReadHostText(SampleDisc() / "InstData" / "tvx.ins"), changes));
}

void PlantGame(TestMachine& machine, const std::string& windows_path) {
  machine.WriteFile(windows_path, ReadHostText(TVX_TEST_GAME));
  fs::permissions(machine.HostPath(windows_path), fs::perms::owner_exec, fs::perm_options::add);
}

std::vector<GameRun> GameRuns(TestMachine& machine) {
  std::vector<GameRun> runs;
  std::string text = machine.ReadFile("C:\\WINDOWS\\tvxgame.log");
  std::size_t start = 0;
  for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    if (line.rfind("run ", 0) == 0) runs.push_back({After(line, "run "), "", "", false});
    if (runs.empty()) continue;
    if (line.rfind("command line: ", 0) == 0) runs.back().command_line = After(line, "command line: ");
    if (line.rfind("current directory: ", 0) == 0) runs.back().directory = After(line, "current directory: ");
    if (line.rfind("mutex ", 0) == 0) runs.back().mutex_taken = line.ends_with(": taken");
  }
  return runs;
}

SetupRun StartSetup(TestMachine& machine, const std::string& command_line,
                    const std::function<void(Session&)>& prepare, Platform* platform) {
  Session session(platform ? *platform : machine.platform());
  if (prepare) prepare(session);
  FrontPanel panel(session, command_line);
  panel.Run();
  return {panel.result(), panel.play(), panel.quit_posted(), session.ui_state.return_key_armed};
}

StartAnswering::StartAnswering(host::SimulatedMachine& machine, std::uint32_t result)
    : HostShell(machine.folder(), machine.profile(), machine.journal(), machine.faults(), machine.files()),
      result_(result) {}

std::uint32_t StartAnswering::StartProgram(std::string_view, int) {
  ++starts_;
  return result_;
}

int DiscArrives::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                                BoxOwner owner) {
  // The sample's string 340, the prompt's caption.
  if (caption == "Zephra" && ++prompts_ == at_prompt_) machine_.SetMedia('D', true);
  return machine_.ui().ShowMessageBox(text, caption, style, owner);
}

int DiscArrives::RunDialog(DialogModel& model) { return machine_.ui().RunDialog(model); }
int DiscArrives::RunMainWindow(DialogModel& model) { return machine_.ui().RunMainWindow(model); }
std::unique_ptr<ModelessDialog> DiscArrives::OpenModeless(DialogModel& model, BoxOwner owner) {
  return machine_.ui().OpenModeless(model, owner);
}
Surface& DiscArrives::surface() { return machine_.ui().surface(); }

const host::DialogState* LastPanel(TestMachine& machine) {
  const auto& dialogs = machine.machine().ui().dialogs();
  for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
    if (it->shown.id == FrontPanel::kTemplate) return &it->view->state();
  return nullptr;
}

}  // namespace tvx::testing
