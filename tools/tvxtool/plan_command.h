// tvxtool plan: what an installation would do on a machine, as JSON.
#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <optional>
#include <string>

namespace tvx::authoring {

struct PlanArguments {
  std::string disc;     // a folder holding InstData
  std::string profile;  // the machine's profile
  std::optional<std::size_t> configuration;
  std::string language;   // a key of the script's LANGUAGES; empty: the program's own choice
  std::string directory;  // empty: the directory the program proposes
};

CLI::App* AddPlanCommand(CLI::App& app, PlanArguments& arguments);

// Installs from a copy of the disc on a scratch machine made from the
// profile, the dialogs answered with the choices or their defaults, and
// prints what changed. Neither the disc nor the profile is written.
int RunPlan(const PlanArguments& arguments);

}  // namespace tvx::authoring
