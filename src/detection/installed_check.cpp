// The installed configuration: what of it is still in place, and what the
// machine now lacks for it.
#include <algorithm>

#include "detection/configuration_matcher.h"
#include "detection/file_name_pattern.h"
#include "detection/run_test.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "ui/picture_info_dialog.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

constexpr int kHeadline = 250;
constexpr int kExplanation = 251;
constexpr int kNothingLacking = 254;
constexpr int kFilesMissing = 255;
// DirectX, DXMedia and AMovie: installed again whenever asked, never
// reported as missing.
constexpr int kAlwaysOffered[] = {163, 165, 166};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::optional<std::uint64_t> FileSizeOf(FileSystem& files, const std::string& path) {
  for (const FindEntry& entry : files.Find(path).entries)
    if ((entry.attributes & attribute::kDirectory) == 0) return entry.size;
  return std::nullopt;
}

std::uint64_t RoundUp(std::uint64_t blocks, std::uint64_t unit) { return (blocks + unit - 1) / unit * unit; }

bool ReportedWhenMissing(const DetectionTest& test) {
  return std::find(std::begin(kAlwaysOffered), std::end(kAlwaysOffered), test.display_number) ==
         std::end(kAlwaysOffered);
}

std::string DisplayName(const Requirement& requirement) {
  return requirement.test ? requirement.test->display_name : std::string();
}

}  // namespace

void ConfigurationMatcher::ComputeCredit() {
  credit_ = 0;
  missing_files_ = false;
  if (!installed_configuration_) return;
  // Off every listed drive there is no cluster size: whole blocks then.
  std::uint32_t cluster_blocks = 1;
  const std::string destination = AsciiLower(destination_directory_);
  for (const DriveInfo& drive : drives_) {
    if (destination.find(AsciiLower(drive.root)) == std::string::npos) continue;
    cluster_blocks = std::max<std::uint32_t>(drive.cluster_blocks, 1);
    break;
  }
  const Configuration& configuration = *installed_configuration_;
  if (!configuration.without_common_files)
    for (const CopyItem& item : env_.script.common_files.items) CountInstalledFile(item, cluster_blocks);
  for (const CopyItem& item : configuration.files.items) CountInstalledFile(item, cluster_blocks);
}

std::string ConfigurationMatcher::InstalledPlace(const CopyItem& item) {
  const std::string& folder = item.destination_directory;
  if (StartsWithNoCase(folder, "*SharedDll*\\") || StartsWithNoCase(folder, "*WindowsSystem*\\"))
    return JoinPath(SystemDirectory(env_.platform.files), item.destination_name);
  if (item.font)
    return JoinPath(env_.platform.shell.SpecialFolderPath(SpecialFolder::Fonts), item.destination_name);
  return destination_directory_ + folder + item.destination_name;
}

void ConfigurationMatcher::CountInstalledFile(const CopyItem& item, std::uint32_t cluster_blocks) {
  if (item.destination_name.empty()) return;
  const std::optional<std::uint64_t> size = FileSizeOf(env_.platform.files, InstalledPlace(item));
  if (!size) {
    if (FileMatters(item.destination_name)) missing_files_ = true;
    return;
  }
  // An empty file takes no block: (size - 1) / 512 + 1 would wrap for it.
  const std::uint64_t blocks = *size == 0 ? 0 : (*size - 1) / kBlockBytes + 1;
  credit_ += RoundUp(blocks, cluster_blocks);
}

bool ConfigurationMatcher::FileMatters(const std::string& name) const {
  const std::vector<std::string>& non_vital = env_.script.non_vital_files;
  const std::vector<std::string>& vital = env_.script.vital_files;
  if (!non_vital.empty()) return !NameMatchesAny(non_vital, name);
  return vital.empty() || NameMatchesAny(vital, name);
}

void ConfigurationMatcher::RunSoftwareCheck(Requirement& requirement) {
  // At this check the installer path is the line's folder alone.
  env_.detection_state.installer_argument = requirement.installer_argument;
  env_.detection_state.installer_path = requirement.installer_path;
  if (requirement.test) RunTest(*requirement.test);
}

void ConfigurationMatcher::CheckInstalledConfiguration() {
  if (!installed_ || !installed_configuration_) return;
  installed_check_shown_ = false;
  Configuration& configuration = *installed_configuration_;
  bool all_present = true;
  for (Requirement& requirement : configuration.software) {
    RunSoftwareCheck(requirement);
    if (requirement.test && ReportedWhenMissing(*requirement.test) && requirement.test->result == 0)
      all_present = false;
  }
  if (configuration.requirements_met && all_present && !missing_files_) return;
  installed_check_shown_ = true;
  const std::string text = InstalledCheckText(configuration);
  ShowPlainMessage(env_.platform.ui, text);
  env_.ui_state.return_key_armed = false;
  configuration.requirements_met = false;
}

std::string ConfigurationMatcher::InstalledCheckText(Configuration& configuration) {
  const std::string none = "  " + Text(kNothingLacking) + "\n";
  std::string text = Text(kHeadline) + " (" + configuration.name + ")\n" + Text(kExplanation) + "\n";
  std::string lines;
  for (Requirement& requirement : configuration.software) {
    RunSoftwareCheck(requirement);
    if (requirement.test && ReportedWhenMissing(*requirement.test) && requirement.test->result == 0)
      lines += "  - " + DisplayName(requirement) + "\n";
  }
  text += "\nSoftware :\n" + (lines.empty() ? none : lines);
  lines.clear();
  for (Requirement& requirement : configuration.hardware) {
    if (Evaluate(requirement)) continue;
    if (requirement.test && requirement.test->name == "MMX") PictureInfoDialog().Run(env_.platform.ui);
    lines += "  - " + DisplayName(requirement) + "\n";
  }
  text += "\nHardware :\n" + (lines.empty() ? none : lines);
  lines.clear();
  for (Requirement& requirement : configuration.system)
    if (!Evaluate(requirement)) lines += "  - " + DisplayName(requirement) + "\n";
  text += "\nSystem :\n" + (lines.empty() ? none : lines);
  if (missing_files_) text += "\n" + Text(kFilesMissing) + "\n";
  return text;
}

}  // namespace tvx
