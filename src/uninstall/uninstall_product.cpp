#include "uninstall/uninstall_product.h"

#include "install/copy_paths.h"
#include "install/remove_shortcuts.h"
#include "install/shared_count.h"
#include "install/uninstall_entry.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"
#include "ui/message_popup.h"
#include "ui/question_dialog.h"
#include "uninstall/removal_plan.h"

namespace tvx {
namespace {

class Uninstaller {
 public:
  Uninstaller(UninstallContext& context, const UninstallOptions& options)
      : c_(context), options_(options), files_(context.platform.files) {}

  UninstallResult Run();

 private:
  std::string Text(int number, std::string_view argument = {}) {
    return c_.script_state.strings.LookupString(c_.platform.ui, number, argument);
  }
  bool Confirmed();
  void AddLanguageFiles(Configuration& configuration);
  void RemoveFiles(const Configuration& configuration, const RemovalPlan& plan);
  void RemoveFile(const CopyItem& item, const RemovalPlan& plan, const CopyPlaces& places);
  bool MayDeleteLibrary(const std::string& path, const CopyItem& item);
  void RemoveDirectoryEntry(const CopyItem& item, const RemovalPlan& plan);
  void RemoveErasableFiles(const RemovalPlan& plan);
  void RemoveInstallDirectory(const RemovalPlan& plan);
  void RemoveShortcutsOf(const Configuration& configuration);
  void ForgetProduct();

  UninstallContext& c_;
  const UninstallOptions& options_;
  FileSystem& files_;
};

bool EndsWithDll(std::string_view path) {
  return path.size() >= 3 && EqualsNoCase(path.substr(path.size() - 3), "dll");
}

bool IsMacro(std::string_view field) {
  return EqualsNoCase(field, kSharedDllMacro) || EqualsNoCase(field, kWindowsSystemMacro);
}

UninstallResult Uninstaller::Run() {
  c_.panel.ResetButtons();
  if (!options_.no_confirmation && !Confirmed()) {
    c_.panel.RefreshButtons(false);
    return UninstallResult::Cancelled;
  }
  Configuration* configuration = c_.matcher.installed_configuration();
  if (!configuration) return UninstallResult::NothingInstalled;
  c_.panel.ResetButtons();
  MessagePopup popup;
  if (popup.Open(c_.platform.ui, BoxOwner::MainWindow))
    popup.ShowText(c_.localized_application_name + " : " + Text(uninstall_text::kRemoving));
  AddLanguageFiles(*configuration);
  const RemovalPlan plan(c_.platform, c_.matcher.destination_directory(), options_.installed_here);
  RemoveFiles(*configuration, plan);
  if (options_.directories_differ) RemoveErasableFiles(plan);
  c_.client.ClientRemove();
  RemoveInstallDirectory(plan);
  RemoveShortcutsOf(*configuration);
  ForgetProduct();
  c_.matcher.MarkNotInstalled();
  popup.Close();
  c_.panel.Repaint();
  c_.panel.RefreshButtons(false);
  return UninstallResult::Removed;
}

bool Uninstaller::Confirmed() {
  using namespace uninstall_text;
  std::string text;
  if (options_.replace_mode) {
    text = Text(kQuestionReplace);
  } else {
    text = Text(options_.uninstall_mode ? kQuestionUninstallMode : kQuestion, c_.localized_application_name) +
           " :\n" + Text(kQuestionSuffix);
  }
  QuestionDialog question(text, Text(kCaption), true, [this](int number) { return Text(number); });
  return question.Ask(c_.platform.ui) == box::kIdYes;
}

// The matcher appends the chosen language's files once; when the product
// was installed under another language, that language's files are the
// ones on disk.
void Uninstaller::AddLanguageFiles(Configuration& configuration) {
  if (c_.script_state.current_language == c_.matcher.language()) {
    c_.matcher.AddLanguageFiles(configuration);
    c_.matcher.AddCommonLanguageFiles();
    return;
  }
  for (const CopyItem& item : configuration.language_files.items)
    if (item.language_tag == c_.matcher.language()) configuration.files.AddUncounted(item);
  for (const CopyItem& item : c_.script.common_language_files.items)
    if (item.language_tag == c_.matcher.language()) c_.script.common_files.AddUncounted(item);
}

void Uninstaller::RemoveFiles(const Configuration& configuration, const RemovalPlan& plan) {
  const CopyPlaces places{{}, plan.install_directory(), SystemDirectory(files_)};
  // What the installation copied: the common files only when the
  // configuration takes them.
  const CopyItemList none;
  const CopyItemList& common = configuration.without_common_files ? none : c_.script.common_files;
  for (const CopyItem* item : RemovalOrder(common, configuration.files)) {
    if (!item->source_name.empty()) {
      RemoveFile(*item, plan, places);
    } else if (options_.directories_differ) {
      RemoveDirectoryEntry(*item, plan);
    }
  }
}

// Fonts stay, as do files of the system directory that are not libraries;
// a library there counts down at its real path. A directory that does not
// hold the product loses nothing.
void Uninstaller::RemoveFile(const CopyItem& item, const RemovalPlan& plan, const CopyPlaces& places) {
  if (item.font || !plan.owned()) return;
  const CopyPaths paths = ResolveCopyPaths(item, places);
  if (paths.climbs_out) return;
  const bool macro = IsMacro(item.destination_directory);
  if (!macro && (!StaysBelow(item.destination_directory) || !plan.Inside(paths.destination))) return;
  if (macro && !StaysBelow(item.destination_name.empty() ? item.source_name : item.destination_name)) return;
  if (!EndsWithDll(paths.destination)) {
    if (!macro) DeleteFileIfWritable(files_, paths.destination);
  } else if (!FileExists(files_, paths.destination)) {
    DropSharedCount(c_.platform.registry, kSharedDllsKey, paths.destination);
  } else if (MayDeleteLibrary(paths.destination, item) && DeleteFileIfWritable(files_, paths.destination)) {
    ForgetSharedCount(c_.platform.registry, kSharedDllsKey, paths.destination);
  }
  if (!macro) RemoveEmptyDirectoryChain(files_, plan.install_directory() + item.destination_directory);
}

bool Uninstaller::MayDeleteLibrary(const std::string& path, const CopyItem& item) {
  using namespace uninstall_text;
  return DecrementSharedCount(c_.platform.registry, c_.platform.ui, kSharedDllsKey, path,
                              Text(kSharedQuestion) + " " + item.source_name, Text(kSharedCaption));
}

void Uninstaller::RemoveDirectoryEntry(const CopyItem& item, const RemovalPlan& plan) {
  const std::string path = plan.DirectoryEntryPath(item.destination_directory);
  if (path.empty()) return;
  DeleteTree(files_, path);
  RemoveEmptyParents(files_, path);
}

void Uninstaller::RemoveErasableFiles(const RemovalPlan& plan) {
  for (const std::string& pattern : c_.script.erasable_files) {
    std::string folder;
    std::string name;
    if (plan.PatternPlace(pattern, folder, name)) DeleteMatchingInTree(files_, name, folder);
  }
}

void Uninstaller::RemoveInstallDirectory(const RemovalPlan& plan) {
  if (plan.owned()) RemoveEmptyDirectoryChain(files_, plan.install_directory());
}

void Uninstaller::RemoveShortcutsOf(const Configuration& configuration) {
  if (configuration.playable) return;
  const auto recorded = ReadRecordedShortcuts(files_, c_.registry_state, c_.script.application_name);
  if (recorded) RemoveShortcuts(c_.platform, c_.script_state, c_.registry_state, *recorded);
}

void Uninstaller::ForgetProduct() {
  const std::string& product = c_.script.application_name;
  UnregisterProduct(c_.platform, c_.registry_state, product);
  ProductRegistryFile registry(files_, c_.registry_state);
  registry.DeleteSection(product);
  registry.DeleteKey(kInstalledProductsSection, product);
}

}  // namespace

const char* UninstallResultName(UninstallResult result) {
  switch (result) {
    case UninstallResult::Removed:
      return "removed";
    case UninstallResult::Cancelled:
      return "cancelled";
    case UninstallResult::NothingInstalled:
      return "nothing installed";
  }
  return "?";
}

UninstallResult UninstallProduct(UninstallContext& context, const UninstallOptions& options) {
  return Uninstaller(context, options).Run();
}

}  // namespace tvx
