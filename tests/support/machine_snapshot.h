// Everything a simulated machine holds, to tell what a run changed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/test_machine.h"

namespace tvx::testing {

// Drive contents by path ("drives/c/..." -> bytes; folders as "<folder>")
// and the registry's lines by key.
struct MachineSnapshot {
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> registry;  // "[key] name" -> value line
};

MachineSnapshot TakeSnapshot(const TestMachine& machine);

// "added ...", "removed ...", "changed ..." for each difference, in order.
std::vector<std::string> Differences(const MachineSnapshot& before, const MachineSnapshot& after);

}  // namespace tvx::testing
