// The registry as REGEDIT4 text: the format of registry.reg.
#pragma once

#include <string>
#include <string_view>

#include "platform/host/registry_tree.h"

namespace tvx::host {

std::string WriteRegedit4(const RegistryTree& tree);

// Reads REGEDIT4 text into the tree. Lines it cannot understand are skipped
// and counted; a text that does not start with the REGEDIT4 header is
// refused. Safe on any bytes.
struct Regedit4Result {
  bool ok = false;
  int skipped_lines = 0;
};
Regedit4Result ParseRegedit4(std::string_view text, RegistryTree& tree);

}  // namespace tvx::host
