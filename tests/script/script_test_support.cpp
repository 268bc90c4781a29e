#include "script_test_support.h"

#include <filesystem>

#include "script/script_loader.h"

namespace tvx::testing {
namespace fs = std::filesystem;

int RecordingUi::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                                BoxOwner) {
  boxes.push_back({std::string(text), std::string(caption), style});
  return box::kIdOk;
}

std::vector<std::string> RecordingUi::Texts() const {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

ScriptMachine::ScriptMachine(TestMachine::Options options)
    : machine_(std::move(options)),
      platform_{machine_.platform().files, machine_.platform().registry, machine_.platform().system,
                machine_.platform().shell, ui_} {}

namespace {

fs::path HostFileOf(const fs::path& machine, const std::string& windows_path) {
  fs::path host = machine / "drives" / std::string(1, static_cast<char>(std::tolower(windows_path[0])));
  std::size_t start = 3;
  while (start < windows_path.size()) {
    const std::size_t end = windows_path.find('\\', start);
    host /= windows_path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return host;
}

}  // namespace

void ScriptMachine::Write(const std::string& windows_path, const std::string& bytes) {
  const fs::path host = HostFileOf(machine_.folder(), windows_path);
  fs::create_directories(host.parent_path());
  WriteHostText(host, bytes);
}

void ScriptMachine::Remove(const std::string& windows_path) {
  fs::remove(HostFileOf(machine_.folder(), windows_path));
}

ScriptEnvironment ScriptMachine::Environment(std::string install_data_folder) {
  return ScriptEnvironment{platform_, state, tests, std::move(install_data_folder), {}};
}

bool ScriptMachine::LoadText(const std::string& text) {
  Write("D:\\InstData\\tvx.ins", text);
  return Load();
}

bool ScriptMachine::Load(const std::string& path) {
  ScriptEnvironment environment = Environment();
  return LoadScript(environment, path, script);
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\n";
  return text;
}

}  // namespace tvx::testing
