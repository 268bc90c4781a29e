#include "script_test_support.h"

#include "script/script_loader.h"

namespace tvx::testing {

ScriptMachine::ScriptMachine(TestMachine::Options options)
    : machine_(std::move(options)),
      platform_{machine_.platform().files, machine_.platform().registry, machine_.platform().system,
                machine_.platform().shell, ui_} {}

ScriptEnvironment ScriptMachine::Environment(std::string install_data_folder) {
  return ScriptEnvironment{platform_, state, tests, std::move(install_data_folder), {}};
}

bool ScriptMachine::LoadText(const std::string& text) {
  machine_.WriteFile("D:\\InstData\\tvx.ins", text);
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
