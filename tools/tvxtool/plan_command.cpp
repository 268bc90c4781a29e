#include "plan_command.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "install/install_product.h"
#include "install_steering.h"
#include "machine_changes.h"
#include "plan_report.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "recording_seam.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"
#include "scratch_machine.h"
#include "script/detection_catalogue.h"
#include "script/script_loader.h"
#include "script/strings_loader.h"
#include "script_json.h"
#include "shell/front_panel.h"
#include "shell/session.h"

namespace tvx::authoring {
namespace fs = std::filesystem;

namespace {

using Json = nlohmann::ordered_json;

// The scratch machine's folder, removed whatever happens.
class ScratchFolder {
 public:
  ScratchFolder() : path_(fs::temp_directory_path() / ("tvxtool-plan-" + std::to_string(::getpid()))) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_, ignored);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct Prepared {
  InstallScript script;
  InstallChoices choices;
  std::string install_data;
  std::string ini_path;
  std::string ini_before;
};

std::optional<char> FirstCdRom(const host::MachineProfile& profile) {
  for (const host::DriveProfile& drive : profile.drives)
    if (drive.type == DriveType::CdRom) return drive.letter;
  return std::nullopt;
}

// Reads the script from the machine's CD-ROM as the program would, and
// turns the arguments into the dialogs' choices. 0, or the exit code.
int Prepare(const fs::path& machine_folder, const PlanArguments& arguments, Prepared& prepared) {
  std::string error;
  auto machine = host::SimulatedMachine::Open(machine_folder, {}, error);
  const auto cd = machine ? FirstCdRom(machine->profile()) : std::nullopt;
  if (!cd) {
    std::cerr << "tvxtool: " << (machine ? "the profile has no CD-ROM drive" : error) << "\n";
    return 2;
  }
  CollectingUi ui;
  Platform& own = machine->platform();
  Platform platform{own.files, own.registry, own.system, own.shell, ui};
  ScriptProcessState state;
  DetectionCatalogue tests;
  prepared.install_data = std::string(1, *cd) + ":\\InstData";
  ScriptEnvironment environment{platform, state, tests, prepared.install_data, {}};
  if (!LoadScript(environment, "", prepared.script)) {
    for (const std::string& line : ui.lines) std::cerr << line << "\n";
    std::cerr << arguments.disc << ": error: the script could not be loaded\n";
    return 1;
  }
  const std::vector<std::string>& keys = prepared.script.languages.keys;
  if (!arguments.language.empty()) {
    const auto found = std::find(keys.begin(), keys.end(), arguments.language);
    if (found == keys.end()) {
      std::cerr << "tvxtool: the script has no language " << arguments.language << "\n";
      return 1;
    }
    prepared.choices.language = static_cast<std::size_t>(found - keys.begin());
  }
  const std::size_t count = prepared.script.configurations.size();
  if (arguments.configuration && *arguments.configuration >= count) {
    std::cerr << "tvxtool: the script has no configuration " << *arguments.configuration << " (it has "
              << count << ", from 0)\n";
    return 1;
  }
  prepared.choices.configuration = arguments.configuration;
  if (!arguments.directory.empty()) prepared.choices.directory = arguments.directory;
  prepared.ini_path = platform.files.WindowsDirectory() + kRegistryFileSuffix;
  ReadWholeFile(platform.files, prepared.ini_path, prepared.ini_before);
  return 0;
}

struct Run {
  std::optional<InstallReport> install;
  std::map<std::string, std::string> sources;
  std::vector<ShellLink> links;
  std::vector<std::string> fonts;
  bool configuration_unlisted = false;
  std::string ini_after;
};

// The panel's Install, then Quit; the other dialogs take their defaults.
std::optional<Run> Install(const fs::path& folder, const Prepared& prepared) {
  std::string error;
  host::RunOptions options;
  options.ui.transcript = folder / "transcript.log";
  options.ui.answers = host::AnswerScript::Parse("dialog 102 press 1000\ndialog 102 press 2\n", error);
  auto machine = host::SimulatedMachine::Open(folder / "machine", std::move(options), error);
  if (!machine) return std::nullopt;
  Platform& own = machine->platform();
  RecordingFileSystem files(own.files);
  RecordingShell shell(own.shell);
  SteeringUi ui(own.ui, prepared.choices);
  Platform platform{files, own.registry, own.system, shell, ui};
  Run run;
  {
    Session session(platform);
    FrontPanel panel(session, platform.system.CommandLine());
    panel.Run();
    run.install = panel.install();
  }
  run.sources = files.sources();
  run.links = shell.links();
  run.fonts = shell.fonts();
  run.configuration_unlisted = ui.configuration_unlisted();
  ReadWholeFile(own.files, prepared.ini_path, run.ini_after);
  return run;
}

std::string Entry(const IniEntries& entries, const std::string& section, const std::string& key) {
  for (const auto& [name, value] : entries)
    if (EqualsNoCase(name.first, section) && EqualsNoCase(name.second, key)) return value;
  return {};
}

std::string WithBackslash(std::string path) {
  if (!path.empty() && !EndsWithBackslash(path)) path += '\\';
  return path;
}

// What was recorded against what was asked for: a choice the dialogs
// could not take must not pass for a plan of it.
std::vector<std::string> Mismatches(const Json& plan, const PlanArguments& arguments) {
  std::vector<std::string> problems;
  const Json& configuration = plan.at("configuration");
  if (arguments.configuration &&
      !(configuration.is_object() && configuration.at("index") == Json(*arguments.configuration)))
    problems.push_back("configuration " + std::to_string(*arguments.configuration) +
                       " could not be chosen on this machine");
  if (!arguments.language.empty() && plan.at("language") != Json(Windows1252ToUtf8(arguments.language)))
    problems.push_back("language " + arguments.language + " could not be chosen");
  if (!arguments.directory.empty() && !EqualsNoCase(Windows1252ToUtf8(WithBackslash(arguments.directory)),
                                                    plan.at("install_directory").get<std::string>()))
    problems.push_back("the directory " + arguments.directory + " was refused");
  return problems;
}

// The configurations' names in the language installed: read once the run
// is over, as the strings' loading writes to the machine.
std::vector<std::string> ConfigurationNames(const fs::path& machine_folder, Prepared& prepared,
                                            const std::string& language) {
  std::string error;
  auto machine = host::SimulatedMachine::Open(machine_folder, {}, error);
  const LanguageTable& languages = prepared.script.languages;
  const auto index = static_cast<std::size_t>(
      std::find(languages.keys.begin(), languages.keys.end(), language) - languages.keys.begin());
  std::vector<std::string> names;
  if (!machine || index >= languages.common_strings_files.size() ||
      index >= languages.product_strings_files.size())
    return names;
  CollectingUi ui;
  Platform& own = machine->platform();
  Platform platform{own.files, own.registry, own.system, own.shell, ui};
  ScriptProcessState state;
  state.current_language = language;
  LoadStrings(platform, state, prepared.install_data, languages.common_strings_files[index],
              languages.product_strings_files[index]);
  SetConfigurationNames(prepared.script, state.strings, ui);
  for (const Configuration& configuration : prepared.script.configurations)
    names.push_back(configuration.name);
  return names;
}

Json Summary(const Prepared& prepared, const Run& run, const IniEntries& ini,
             const std::vector<std::string>& names) {
  const std::string& product = prepared.script.application_name;
  Json plan;
  plan["product"] = Windows1252ToUtf8(product);
  plan["outcome"] = run.install ? InstallOutcomeName(run.install->outcome) : "not started";
  const std::string recorded = Entry(ini, product, "Configuration");
  const bool installed = run.install && run.install->outcome == InstallOutcome::Installed;
  Json configuration;
  if (installed && !recorded.empty() && recorded.find_first_not_of("0123456789") == std::string::npos &&
      recorded.size() < 9) {
    const std::size_t index = std::stoul(recorded);
    configuration = {{"index", index}};
    if (index < names.size()) configuration["name"] = Windows1252ToUtf8(names[index]);
  }
  plan["configuration"] = configuration;
  plan["language"] = installed ? Json(Windows1252ToUtf8(Entry(ini, product, "Language"))) : Json();
  plan["install_directory"] = Windows1252ToUtf8(Entry(ini, product, kDirectoryKey));
  plan["source_directory"] = run.install ? Windows1252ToUtf8(run.install->source_directory) : "";
  return plan;
}

void ReportTranscript(const fs::path& transcript) {
  std::ifstream in(transcript, std::ios::binary);
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("message-box")) std::cerr << Windows1252ToUtf8(line) << "\n";
}

}  // namespace

CLI::App* AddPlanCommand(CLI::App& app, PlanArguments& arguments) {
  CLI::App* plan = app.add_subcommand("plan", "what an installation would do on a machine, as JSON");
  plan->add_option("DISC", arguments.disc, "the disc's folder (holding InstData)")->required();
  plan->add_option("--machine", arguments.profile, "a machine profile (examples/machines/*.json)")
      ->required();
  plan->add_option("--config", arguments.configuration, "the configuration's index in the script, from 0");
  plan->add_option("--language", arguments.language, "the language's key (default: the program's choice)");
  plan->add_option("--dir", arguments.directory, "the installation directory (default: the proposed one)");
  return plan;
}

int RunPlan(const PlanArguments& arguments) {
  if (!fs::is_directory(arguments.disc) || !fs::is_directory(fs::path(arguments.disc) / "InstData")) {
    std::cerr << "tvxtool: " << arguments.disc << " is not a disc folder: it holds no InstData\n";
    return 2;
  }
  if (!fs::is_regular_file(arguments.profile)) {
    std::cerr << "tvxtool: no machine profile " << arguments.profile << "\n";
    return 2;
  }
  ScratchFolder folder;
  const fs::path machine = folder.path() / "machine";
  if (const std::string error = host::CreateMachine(machine, arguments.profile, fs::path(arguments.disc));
      !error.empty()) {
    std::cerr << "tvxtool: " << error << "\n";
    return 2;
  }
  Prepared prepared;
  if (const int refused = Prepare(machine, arguments, prepared)) return refused;
  const MachineState before = ReadMachineState(machine);
  const std::optional<Run> run = Install(folder.path(), prepared);
  if (!run) {
    std::cerr << "tvxtool: the scratch machine could not be opened\n";
    return 2;
  }
  const MachineState after = ReadMachineState(machine);
  PlanFacts facts{CompareStates(before, after),
                  &after,
                  &run->sources,
                  &run->links,
                  &run->fonts,
                  ReadIniEntries(prepared.ini_before),
                  ReadIniEntries(run->ini_after)};
  const std::string product = prepared.script.application_name;
  const std::vector<std::string> names =
      ConfigurationNames(machine, prepared, Entry(facts.ini_after, product, "Language"));
  Json plan = Summary(prepared, *run, facts.ini_after, names);
  AddChanges(plan, facts);
  ReportTranscript(folder.path() / "transcript.log");
  std::cout << plan.dump(2) << "\n";
  std::vector<std::string> problems = Mismatches(plan, arguments);
  if (plan["outcome"] != "installed")
    problems.insert(problems.begin(), "the installation did not end installed");
  for (const std::string& problem : problems) std::cerr << "tvxtool: " << problem << "\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace tvx::authoring
