// The registry as REGEDIT4 text: the format of registry.reg.
#pragma once

#include <string>
#include <string_view>

#include "platform/host/registry_tree.h"

namespace tvx::host {

std::string WriteRegedit4(const RegistryTree& tree);

// Reads REGEDIT4 text into the tree. A text that does not start with the
// REGEDIT4 header, or holds a line this reader cannot keep (a root other
// than the three the machine has, a value it cannot read), is refused:
// saving the tree again would drop that line. Safe on any bytes.
struct Regedit4Result {
  bool ok = false;
  int bad_line = 0;     // the first line refused (from 1); 0 for none or a missing header
  std::string problem;  // what is wrong with it
};
Regedit4Result ParseRegedit4(std::string_view text, RegistryTree& tree);

}  // namespace tvx::host
