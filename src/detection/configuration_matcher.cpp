#include "detection/configuration_matcher.h"

#include <algorithm>

#include "detection/run_test.h"
#include "registry/product_record.h"
#include "registry/product_registry_file.h"
#include "script/strings_loader.h"
#include "ui/plain_message.h"
#include "ui/window_placement.h"

namespace tvx {
namespace {

std::string FormatLong(std::string_view format, long value) {
  std::string text(format);
  const std::size_t at = text.find("%ld");
  if (at != std::string::npos) text.replace(at, 3, std::to_string(value));
  return text;
}

void CollectTests(const std::vector<Requirement>& requirements, std::vector<DetectionTest*>& used) {
  for (const Requirement& requirement : requirements)
    if (requirement.test && std::find(used.begin(), used.end(), requirement.test) == used.end())
      used.push_back(requirement.test);
}

// Walks the catalogue and moves each test the list holds to its end.
void PutInCatalogueOrder(std::vector<DetectionTest*>& used, std::vector<DetectionTest>& catalogue) {
  for (DetectionTest& test : catalogue) {
    const auto found = std::find(used.begin(), used.end(), &test);
    if (found == used.end()) continue;
    used.erase(found);
    used.push_back(&test);
  }
}

void AppendLanguageFiles(const CopyItemList& from, CopyItemList& to, const std::string& language) {
  for (const CopyItem& item : from.items)
    if (item.language_tag == language) to.Add(item);
}

std::uint64_t Blocks(std::int64_t total) { return total > 0 ? static_cast<std::uint64_t>(total) : 0; }

}  // namespace

bool IsAdministratorTest(const DetectionTest& test) {
  // Known by its display number rather than by comparing display texts: a
  // strings file missing numbers would give other tests the same text.
  return test.display_number == text::kAdministratorRight;
}

bool HardwareRequirementsHold(std::vector<Requirement>& hardware) {
  for (Requirement& requirement : hardware)
    if (!Evaluate(requirement)) return false;
  return true;
}

bool SystemRequirementsHold(std::vector<Requirement>& system) {
  bool administrator_ok = true;
  bool has_version_lines = false;
  bool some_version_holds = false;
  for (Requirement& requirement : system) {
    if (requirement.test && IsAdministratorTest(*requirement.test)) {
      administrator_ok = Evaluate(requirement);
    } else {
      has_version_lines = true;
      if (!some_version_holds) some_version_holds = Evaluate(requirement);
    }
  }
  return administrator_ok && (!has_version_lines || some_version_holds);
}

ConfigurationMatcher::ConfigurationMatcher(MatchingEnvironment environment, MachineProbes& probes)
    : env_(environment), probes_(probes) {}

bool ConfigurationMatcher::Prepare(bool uninstall_mode) {
  missing_files_ = false;
  chosen_ = nullptr;
  if (!LoadInstalledChoice()) return false;
  SetNames();
  if (uninstall_mode) return true;
  CollectUsedTests();
  RunUsedTests();
  RunDriveTest();
  if (installed_) {
    ComputeCredit();
  } else {
    credit_ = 0;
  }
  RecordTestResults();
  MatchConfigurations();
  CheckInstalledConfiguration();
  return true;
}

bool ConfigurationMatcher::LoadInstalledChoice() {
  ProductRegistryFile registry(env_.platform.files, env_.registry_state);
  const std::string& product = env_.script.application_name;
  installed_configuration_ = nullptr;
  installed_ = registry.FindSection(product);
  std::int32_t index = 0;
  if (installed_) installed_ = registry.ReadLong(product, "Configuration", index);
  if (installed_) {
    // A negative number is no more a configuration than one past the end.
    if (index < 0 || static_cast<std::size_t>(index) >= configurations().size()) {
      installed_ = false;
      ShowPlainMessage(env_.platform.ui, FormatLong(kConfigurationMissingFormat, index));
      return false;
    }
    installed_configuration_ = &configurations()[static_cast<std::size_t>(index)];
    // Both texts are needed for a complete record.
    const bool language_read = registry.ReadString(product, "Language", language_);
    installed_ = registry.ReadString(product, "Directory", destination_directory_) && language_read;
  }
  if (!installed_) installed_configuration_ = nullptr;
  return true;
}

void ConfigurationMatcher::MarkInstalled(Configuration* configuration, std::string language) {
  installed_ = configuration != nullptr;
  installed_configuration_ = configuration;
  language_ = std::move(language);
}

void ConfigurationMatcher::MarkNotInstalled() {
  installed_ = false;
  installed_configuration_ = nullptr;
}

void ConfigurationMatcher::SetNames() {
  SetLocalizedNames(env_.catalogue, env_.script_state.strings, env_.platform.ui);
  SetConfigurationNames(env_.script, env_.script_state.strings, env_.platform.ui);
}

void ConfigurationMatcher::CollectUsedTests() {
  used_hardware_.clear();
  used_software_.clear();
  used_system_.clear();
  for (const Configuration& configuration : configurations()) {
    CollectTests(configuration.hardware, used_hardware_);
    CollectTests(configuration.software, used_software_);
    CollectTests(configuration.system, used_system_);
  }
  PutInCatalogueOrder(used_hardware_, env_.catalogue.HardwareTests());
  PutInCatalogueOrder(used_software_, env_.catalogue.SoftwareTests());
  PutInCatalogueOrder(used_system_, env_.catalogue.SystemTests());
}

void ConfigurationMatcher::RunUsedTests() {
  for (DetectionTest* test : used_hardware_) RunTest(*test);
  for (DetectionTest* test : used_system_) RunTest(*test);
}

void ConfigurationMatcher::RunDriveTest() { drives_ = probes_.FixedDrives(); }

bool ConfigurationMatcher::RecordTestResults() {
  ProductRegistryFile registry(env_.platform.files, env_.registry_state);
  bool written = true;
  for (const DetectionTest* test : used_hardware_)
    written = registry.WriteSystemLong(test->name, test->result) != kWriteFailed && written;
  // The writes only change the lines in memory: the save is what can fail.
  if (registry.modified() && !registry.Save()) written = false;
  if (!written && report_record_failure_)
    env_.platform.ui.ShowMessageBox(kRecordFailedText, kRecordFailedCaption, box::kIconHand);
  return written;
}

void ConfigurationMatcher::MatchConfigurations() {
  no_match_ = true;
  fits_.assign(configurations().size(), false);
  for (std::size_t i = 0; i < configurations().size(); ++i) MatchOne(configurations()[i], i);
}

void ConfigurationMatcher::MatchOne(Configuration& configuration, std::size_t index) {
  const bool hardware_holds = HardwareRequirementsHold(configuration.hardware);
  const bool system_holds = SystemRequirementsHold(configuration.system);
  const bool failed = !hardware_holds || !system_holds;
  if (!failed) configuration.requirements_met = true;
  AddCommonLanguageFiles();
  AddLanguageFiles(configuration);
  fits_[index] = Fits(configuration);
  configuration.selectable = fits_[index] && !failed && !configuration.playable;
  if (configuration.selectable) {
    no_match_ = false;
    if (!proposed_) proposed_ = &configuration;
  }
  if (!playable_ && configuration.playable && configuration.requirements_met) playable_ = &configuration;
}

void ConfigurationMatcher::AddCommonLanguageFiles() {
  if (common_language_files_added_) return;
  AppendLanguageFiles(env_.script.common_language_files, env_.script.common_files,
                      env_.script_state.current_language);
  common_language_files_added_ = true;
}

void ConfigurationMatcher::AddLanguageFiles(Configuration& configuration) {
  if (configuration.language_files_merged) return;
  AppendLanguageFiles(configuration.language_files, configuration.files, env_.script_state.current_language);
  configuration.language_files_merged = true;
}

std::uint64_t ConfigurationMatcher::ClientFolderBlocks() {
  if (client_source_folder_ == kNoClientSourceFolder) return 0;
  std::uint64_t blocks = 0;
  for (const FindEntry& entry : env_.platform.files.Find(client_source_folder_ + "\\*.*").entries)
    if (entry.attributes != attribute::kDirectory) blocks += (entry.size + kBlockBytes - 1) / kBlockBytes;
  return blocks;
}

ConfigurationMatcher::SpaceNeed ConfigurationMatcher::NeedOf(const Configuration& configuration) {
  const bool common = !configuration.without_common_files;
  SpaceNeed need;
  need.files = configuration.files.items.size() + (common ? env_.script.common_files.items.size() : 0);
  need.blocks = ClientFolderBlocks() + Blocks(configuration.files.total) +
                (common ? Blocks(env_.script.common_files.total) : 0);
  return need;
}

bool ConfigurationMatcher::Fits(const Configuration& configuration) {
  const SpaceNeed need = NeedOf(configuration);
  return FitsOnSomeDrive(drives_, need.blocks, need.files, credit_, destination_directory_);
}

std::uint64_t ConfigurationMatcher::ConfigurationSize(const Configuration& configuration) {
  const SpaceNeed need = NeedOf(configuration);
  return need.blocks + need.files * 64;
}

std::string ConfigurationMatcher::SizedName(Configuration& configuration) {
  AddCommonLanguageFiles();
  AddLanguageFiles(configuration);
  const SizeUnits units{Text(text::kBytes), Text(text::kKilobytes), Text(text::kMegabytes)};
  return configuration.name + " (~ " + FormatBlocks(ConfigurationSize(configuration), units) + ")";
}

bool ConfigurationMatcher::RunHardwareActions(Configuration& configuration) {
  for (Requirement& requirement : configuration.hardware)
    if (requirement.test && requirement.test->action && RunAction(*requirement.test) == 0) return false;
  return true;
}

bool ConfigurationMatcher::InstallMissingComponents(Configuration& configuration,
                                                    std::string_view source_folder) {
  for (Requirement& requirement : configuration.software) {
    env_.detection_state.installer_path = std::string(source_folder) + "\\" + requirement.installer_path;
    env_.detection_state.installer_argument = requirement.installer_argument;
    if (!requirement.selected || !requirement.test) continue;
    // A component without an installer cannot be installed: a failure.
    if (RunTest(*requirement.test) == 0 && RunAction(*requirement.test) == 0) return false;
  }
  return true;
}

std::string ConfigurationMatcher::Text(int number) {
  return env_.script_state.strings.LookupString(env_.platform.ui, number);
}

int ConfigurationMatcher::IndexOf(const Configuration* configuration) const {
  const auto& all = env_.script.configurations;
  if (!configuration || all.empty() || configuration < all.data() || configuration >= all.data() + all.size())
    return -1;
  return static_cast<int>(configuration - all.data());
}

bool ConfigurationMatcher::fits(const Configuration& configuration) const {
  const int index = IndexOf(&configuration);
  return index >= 0 && static_cast<std::size_t>(index) < fits_.size() &&
         fits_[static_cast<std::size_t>(index)];
}

bool ConfigurationMatcher::InstalledConfigurationUsable() const {
  return installed_ && installed_configuration_ && installed_configuration_->requirements_met;
}

}  // namespace tvx
