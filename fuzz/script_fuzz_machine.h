// The script harnesses' simulated machine: the tests' own, made once and
// shared by every run, its message boxes dropped so they do not pile up.
#pragma once

#include <cstdlib>

#include "script/install_script.h"
#include "script/script_test_support.h"

namespace tvx::fuzzing {

inline testing::ScriptMachine& SharedMachine() {
  static testing::ScriptMachine machine;
  machine.ui().boxes.clear();
  return machine;
}

// What any parse must leave true, whatever the input.
inline void CheckModel(bool ok, const InstallScript& script) {
  if (ok != (script.load.error_line == -1) || script.load.error_line < -1) std::abort();
  const auto sum = [](const CopyItemList& list) {
    std::int64_t total = 0;
    for (const CopyItem& item : list.items) total += item.size;
    return total;
  };
  if (sum(script.common_files) != script.common_files.total || script.common_language_files.total != 0)
    std::abort();
  for (const Configuration& configuration : script.configurations) {
    if (sum(configuration.files) + configuration.component_size != configuration.files.total) std::abort();
    for (const auto* list : {&configuration.hardware, &configuration.software, &configuration.system})
      for (const Requirement& requirement : *list)
        if (!requirement.test) std::abort();
  }
}

}  // namespace tvx::fuzzing
