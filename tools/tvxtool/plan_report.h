// tvxtool plan: what an installation did to a scratch machine, as JSON.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "machine_changes.h"
#include "platform/shell.h"

namespace tvx::authoring {

// "tvx.ini" as (section, key) -> value, from its text; any bytes.
using IniEntries = std::map<std::pair<std::string, std::string>, std::string>;
IniEntries ReadIniEntries(const std::string& text);

struct PlanFacts {
  MachineChanges changes;
  const MachineState* after = nullptr;
  const std::map<std::string, std::string>* sources = nullptr;  // by folded destination
  const std::vector<ShellLink>* links = nullptr;
  const std::vector<std::string>* fonts = nullptr;
  IniEntries ini_before, ini_after;
};

// Adds "directories", "files", "shared_counts", "fonts", "registry",
// "shortcuts", "tvx_ini", "journal" and "removed" to the plan.
void AddChanges(nlohmann::ordered_json& plan, const PlanFacts& facts);

}  // namespace tvx::authoring
