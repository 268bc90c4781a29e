// What a run changed on a simulated machine: its drives, its registry and
// its journal, read from the machine's folder before and after.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_types.h"

namespace tvx::authoring {

struct MachineState {
  struct FileFacts {
    std::uint64_t size = 0;
    std::uint64_t digest = 0;
    bool operator==(const FileFacts&) const = default;
  };
  std::map<std::string, FileFacts> files;  // by Windows path, as the drives hold them
  std::set<std::string> folders;
  std::map<std::pair<std::string, std::string>, RegistryValue> values;  // (key path, value name)
  std::set<std::string> keys;                                           // "HKEY_LOCAL_MACHINE\..."
  std::vector<std::string> journal;
};

// Reads the machine's folder; a registry it cannot read counts as empty.
MachineState ReadMachineState(const std::filesystem::path& machine_folder);

struct MachineChanges {
  std::vector<std::string> folders_made, folders_removed;
  std::vector<std::string> files_written, files_removed;  // written: new or changed
  std::vector<std::pair<std::string, std::string>> values_set, values_removed;
  std::vector<std::string> keys_made, keys_removed;
  std::vector<std::string> journal;  // lines the run added
};

MachineChanges CompareStates(const MachineState& before, const MachineState& after);

}  // namespace tvx::authoring
