#include "support/machine_snapshot.h"

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace tvx::testing {
namespace {

void AddRegistryLine(MachineSnapshot& snapshot, const std::string& key, const std::string& line) {
  if (line.empty()) return;
  if (line.front() == '[') {
    snapshot.registry[line] = "<key>";
    return;
  }
  const std::size_t equals = line.find("\"=");
  const std::size_t split = equals == std::string::npos ? line.find('=') : equals + 1;
  snapshot.registry[key + " " + line.substr(0, split)] = split == std::string::npos ? "" : line.substr(split);
}

void ReadRegistry(MachineSnapshot& snapshot, const std::string& text) {
  std::stringstream stream(text);
  std::string line;
  std::string logical;
  std::string key;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    logical += line;
    if (!logical.empty() && logical.back() == '\\') {  // a value continued on the next line
      logical.pop_back();
      continue;
    }
    if (!logical.empty() && logical.front() == '[') key = logical;
    AddRegistryLine(snapshot, key, logical);
    logical.clear();
  }
}

}  // namespace

MachineSnapshot TakeSnapshot(const TestMachine& machine) {
  MachineSnapshot snapshot;
  const fs::path drives = machine.folder() / "drives";
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(drives)) {
    const std::string relative = fs::relative(entry.path(), machine.folder()).generic_string();
    snapshot.files[relative] = entry.is_directory() ? "<folder>" : ReadHostText(entry.path());
  }
  ReadRegistry(snapshot, ReadHostText(machine.folder() / "registry.reg"));
  return snapshot;
}

std::vector<std::string> Differences(const MachineSnapshot& before, const MachineSnapshot& after) {
  std::vector<std::string> differences;
  const auto compare = [&](const std::map<std::string, std::string>& was,
                           const std::map<std::string, std::string>& now) {
    for (const auto& [name, value] : was) {
      const auto found = now.find(name);
      if (found == now.end()) {
        differences.push_back("removed " + name);
      } else if (found->second != value) {
        differences.push_back("changed " + name);
      }
    }
    for (const auto& [name, value] : now)
      if (!was.contains(name)) differences.push_back("added " + name);
  };
  compare(before.files, after.files);
  compare(before.registry, after.registry);
  return differences;
}

}  // namespace tvx::testing
