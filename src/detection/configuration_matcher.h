// What the machine can take: the tests the configurations use and their
// results, which configurations are selectable, the proposal, the playable
// configuration, and the check of an installed configuration. The front
// panel holds one for the whole process; the configuration dialogs and the
// installation read and update it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "detection/detection_process_state.h"
#include "detection/drive_info.h"
#include "detection/machine_probes.h"
#include "platform/platform.h"
#include "registry/registry_process_state.h"
#include "script/detection_catalogue.h"
#include "script/install_script.h"
#include "script/script_process_state.h"
#include "ui/ui_process_state.h"

namespace tvx {

// The client source folder when the online-service client is not offered.
inline constexpr const char* kNoClientSourceFolder = "INVALID";
inline constexpr const char* kConfigurationMissingFormat = "The config N\xB0%ld does not exist !!";

// String numbers the matching and its dialogs share.
namespace text {
inline constexpr int kAdministratorRight = 456;  // display name of the administrator test
inline constexpr int kBytes = 303;               // size units of the sizes shown
inline constexpr int kKilobytes = 304;
inline constexpr int kMegabytes = 305;
}  // namespace text

struct MatchingEnvironment {
  Platform& platform;
  InstallScript& script;  // its configurations never move once loaded
  DetectionCatalogue& catalogue;
  ScriptProcessState& script_state;  // the strings and the chosen language
  RegistryProcessState& registry_state;
  DetectionProcessState& detection_state;
  UiProcessState& ui_state;
};

class ConfigurationMatcher {
 public:
  // The probes give the drive test's list; everything outlives the matcher.
  ConfigurationMatcher(MatchingEnvironment environment, MachineProbes& probes);
  ConfigurationMatcher(const ConfigurationMatcher&) = delete;
  ConfigurationMatcher& operator=(const ConfigurationMatcher&) = delete;

  // The preparation sequence, after the script and the language are loaded;
  // false when the product registry records a configuration the script does
  // not have. In uninstall mode it stops after the names.
  bool Prepare(bool uninstall_mode);

  bool LoadInstalledChoice();
  // Display names and value bases of the tests, and configuration names.
  void SetNames();
  void CollectUsedTests();
  // Every used hardware test, then every used system test.
  void RunUsedTests();
  void RunDriveTest();
  bool RecordTestResults();
  // Play from a shortcut runs with the user's rights, which may not write
  // "tvx.ini": the results are then simply not kept.
  void set_report_record_failure(bool report) { report_record_failure_ = report; }
  void MatchConfigurations();
  void CheckInstalledConfiguration();
  // Blocks of the installed configuration's files already in place, and
  // whether one that matters is missing.
  void ComputeCredit();

  // The chosen language's language files, appended at most once.
  void AddCommonLanguageFiles();
  void AddLanguageFiles(Configuration& configuration);
  // Blocks of the client's files on the source; 0 without a client.
  std::uint64_t ClientFolderBlocks();
  // The space step of matching: client, configuration and common files.
  bool Fits(const Configuration& configuration);
  // The size shown beside a name: every file counted 32 KB larger.
  std::uint64_t ConfigurationSize(const Configuration& configuration);
  // "%s (~ %s)": the name and the size, language files appended first.
  std::string SizedName(Configuration& configuration);

  bool RunHardwareActions(Configuration& configuration);
  // The missing selected components of the configuration, each installed
  // by its test's action; source_folder has no final "\".
  bool InstallMissingComponents(Configuration& configuration, std::string_view source_folder);

  // A localized string by number.
  std::string Text(int number);

  MatchingEnvironment& environment() { return env_; }
  std::vector<Configuration>& configurations() { return env_.script.configurations; }
  // Index of a configuration of the script; -1 for none.
  int IndexOf(const Configuration* configuration) const;

  const std::vector<DetectionTest*>& used_hardware_tests() const { return used_hardware_; }
  const std::vector<DetectionTest*>& used_software_tests() const { return used_software_; }
  const std::vector<DetectionTest*>& used_system_tests() const { return used_system_; }
  std::vector<DriveInfo>& drives() { return drives_; }

  Configuration* proposed() const { return proposed_; }
  Configuration* playable() const { return playable_; }
  bool playable_found() const { return playable_ != nullptr; }
  bool no_match() const { return no_match_; }
  // Whether the last matching found room for the configuration.
  bool fits(const Configuration& configuration) const;

  bool installed() const { return installed_; }
  // The state an installation that succeeded, or an uninstall, leaves.
  void MarkInstalled(Configuration* configuration, std::string language);
  void MarkNotInstalled();
  Configuration* installed_configuration() const { return installed_configuration_; }
  // Installed, and the check found nothing missing.
  bool InstalledConfigurationUsable() const;
  const std::string& language() const { return language_; }
  const std::string& destination_directory() const { return destination_directory_; }
  void set_destination_directory(std::string directory) { destination_directory_ = std::move(directory); }
  std::uint64_t credit() const { return credit_; }
  void set_credit(std::uint64_t credit) { credit_ = credit; }
  bool missing_files() const { return missing_files_; }
  bool installed_check_shown() const { return installed_check_shown_; }

  Configuration* chosen() const { return chosen_; }
  void set_chosen(Configuration* configuration) { chosen_ = configuration; }
  const std::string& client_source_folder() const { return client_source_folder_; }
  void set_client_source_folder(std::string folder) { client_source_folder_ = std::move(folder); }

 private:
  struct SpaceNeed {
    std::uint64_t blocks = 0;
    std::uint64_t files = 0;
  };
  SpaceNeed NeedOf(const Configuration& configuration);
  void MatchOne(Configuration& configuration, std::size_t index);
  std::string InstalledPlace(const CopyItem& item);
  void CountInstalledFile(const CopyItem& item, std::uint32_t cluster_blocks);
  bool FileMatters(const std::string& name) const;
  void RunSoftwareCheck(Requirement& requirement);
  std::string InstalledCheckText(Configuration& configuration);

  MatchingEnvironment env_;
  MachineProbes& probes_;
  std::vector<DetectionTest*> used_hardware_;
  std::vector<DetectionTest*> used_software_;
  std::vector<DetectionTest*> used_system_;
  std::vector<DriveInfo> drives_;
  std::vector<bool> fits_;  // by configuration index, from the last matching

  Configuration* proposed_ = nullptr;
  Configuration* playable_ = nullptr;
  bool no_match_ = false;
  bool common_language_files_added_ = false;

  bool installed_ = false;
  Configuration* installed_configuration_ = nullptr;
  std::string language_;
  std::string destination_directory_;
  std::uint64_t credit_ = 0;
  bool missing_files_ = false;
  bool installed_check_shown_ = false;
  bool report_record_failure_ = true;

  Configuration* chosen_ = nullptr;
  std::string client_source_folder_ = kNoClientSourceFolder;
};

// The system step of matching: the administrator lines, of which the last
// decides, and the version lines, of which one must hold.
bool SystemRequirementsHold(std::vector<Requirement>& system);
// Hardware lines in order, stopping at the first that does not hold.
bool HardwareRequirementsHold(std::vector<Requirement>& hardware);
bool IsAdministratorTest(const DetectionTest& test);

}  // namespace tvx
