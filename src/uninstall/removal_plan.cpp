#include "uninstall/removal_plan.h"

#include <algorithm>

#include "install/copy_paths.h"
#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx {
namespace {

bool IsFullPath(std::string_view path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\' && !ClimbsOut(path.substr(3)) &&
         path.find('/') == std::string_view::npos;
}

bool HoldsInstallData(FileSystem& files, const std::string& directory) {
  for (const char* name : {"InstData\\tvx.ins", "InstData\\Tvxins.dat", "InstData\\Tvxins.des"})
    if (FileExists(files, directory + name)) return true;
  return false;
}

}  // namespace

bool StaysBelow(std::string_view relative) {
  return relative.find(':') == std::string_view::npos && (relative.empty() || relative.front() != '\\') &&
         relative.find('/') == std::string_view::npos && !ClimbsOut(relative);
}

int DestinationDepth(std::string_view directory) {
  if (EndsWithBackslash(directory)) directory.remove_suffix(1);
  return static_cast<int>(std::count(directory.begin(), directory.end(), '\\'));
}

std::vector<const CopyItem*> RemovalOrder(const CopyItemList& common, const CopyItemList& configuration) {
  std::vector<const CopyItem*> order;
  for (const CopyItem& item : common.items) order.push_back(&item);
  for (const CopyItem& item : configuration.items) order.push_back(&item);
  std::stable_sort(order.begin(), order.end(), [](const CopyItem* a, const CopyItem* b) {
    return DestinationDepth(a->destination_directory) > DestinationDepth(b->destination_directory);
  });
  return order;
}

RemovalPlan::RemovalPlan(Platform& platform, std::string install_directory, bool installed_here)
    : folders_(platform), install_directory_(std::move(install_directory)) {
  if (!install_directory_.empty() && !EndsWithBackslash(install_directory_)) install_directory_ += '\\';
  usable_ = IsFullPath(install_directory_) && !folders_.Protects(install_directory_);
  owned_ = usable_ && (installed_here || HoldsInstallData(platform.files, install_directory_));
}

bool RemovalPlan::Inside(std::string_view path) const {
  return usable_ && IsWithinFolder(FolderKey(path), FolderKey(install_directory_));
}

std::string RemovalPlan::DirectoryEntryPath(std::string_view field) const {
  if (!owned_ || field.size() < 2 || !StaysBelow(field)) return {};
  std::string path = install_directory_ + std::string(field.substr(0, field.size() - 1));
  if (!Inside(path) || FolderKey(path) == FolderKey(install_directory_) || folders_.Protects(path)) return {};
  return path;
}

bool RemovalPlan::PatternPlace(std::string_view pattern, std::string& folder, std::string& name) const {
  if (!owned_ || pattern.empty() || !StaysBelow(pattern)) return false;
  const std::size_t slash = pattern.rfind('\\');
  folder = install_directory_;
  if (slash != std::string_view::npos) folder += std::string(pattern.substr(0, slash));
  name = std::string(slash == std::string_view::npos ? pattern : pattern.substr(slash + 1));
  folder = std::string(WithoutFinalBackslash(folder));
  return !name.empty() && Inside(folder) && !folders_.Protects(folder);
}

}  // namespace tvx
