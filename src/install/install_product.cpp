#include "install/install_product.h"

#include <algorithm>

#include "detection/choose_configuration.h"
#include "detection/url_choice_dialog.h"
#include "install/after_install.h"
#include "install/choose_destination.h"
#include "install/common_folder_copy.h"
#include "install/create_shortcuts.h"
#include "install/install_log.h"
#include "install/license_dialog.h"
#include "install/post_install_context.h"
#include "install/restart_offer.h"
#include "install/source_disc.h"
#include "install/uninstall_entry.h"
#include "platform/path_text.h"
#include "registry/product_record.h"
#include "ui/message_popup.h"
#include "ui/question_dialog.h"

namespace tvx {
namespace {

class InstallSequence {
 public:
  explicit InstallSequence(InstallContext& context)
      : context_(context),
        matcher_(context.matcher),
        env_(matcher_.environment()),
        platform_(env_.platform),
        script_(env_.script) {}

  InstallReport Run() {
    context_.panel.ResetButtons();
    report_.outcome = Steps();
    const bool installed = report_.outcome == InstallOutcome::Installed;
    context_.panel.RefreshButtons(installed);
    if (env_.detection_state.restart_needed && !env_.ui_state.unattended)
      OfferRestart(platform_, Lookup(), script_.application_name, context_.application_name);
    return report_;
  }

 private:
  InstallOutcome Steps();
  bool LocateSource();
  bool Prepare();
  CopyItemList FileList(Configuration& configuration);
  InstallOutcome CopyStep(Configuration& configuration, const CopyItemList& list);
  bool ChooseInstallDirectory(const CopyItemList& list);
  bool UninstallPrevious();
  bool CompleteSteps(Configuration& configuration);
  bool ClientStep();
  bool Record(Configuration& configuration, const std::string& shortcut_folder);
  UninstallEntry EntryFor(const Configuration& configuration);
  std::string ChooseWebAddress();
  InstallOutcome Finish(Configuration& configuration);
  InstallOutcome RollBack(Configuration& configuration);
  PostInstallContext PostContext(const Configuration& configuration);
  std::size_t LanguageIndex() const;
  bool Stop(InstallStop why) {
    report_.stop = why;
    return false;
  }
  InstallOutcome Stopped(InstallStop why) {
    report_.stop = why;
    return InstallOutcome::NotStarted;
  }
  TextLookup Lookup();
  std::string Text(int number) { return env_.script_state.strings.LookupString(platform_.ui, number); }
  void ForgetReturnKeyWhenHeld();

  InstallContext& context_;
  ConfigurationMatcher& matcher_;
  MatchingEnvironment& env_;
  Platform& platform_;
  InstallScript& script_;
  InstallReport report_;
  std::string source_;
  bool source_found_ = false;
  std::string install_directory_;
  std::string web_address_;
};

InstallOutcome InstallSequence::Steps() {
  if (!Prepare()) return InstallOutcome::NotStarted;  // the reason is in report_.stop
  Configuration& configuration = *matcher_.chosen();
  const CopyItemList list = FileList(configuration);
  install_directory_ = matcher_.destination_directory();
  if (install_directory_.empty()) install_directory_ = script_.default_path;
  if (!list.items.empty()) {
    if (!ChooseInstallDirectory(list)) return Stopped(InstallStop::NoDirectory);
    if (matcher_.installed() && !UninstallPrevious()) return InstallOutcome::RemovalRefused;
    matcher_.set_destination_directory(install_directory_);
    const InstallOutcome copied = CopyStep(configuration, list);
    if (copied != InstallOutcome::Installed) return copied;
  } else if (matcher_.installed() && !UninstallPrevious()) {
    return InstallOutcome::RemovalRefused;
  }
  matcher_.set_destination_directory(install_directory_);
  CopySetupToCommonFolder(platform_);
  if (!CompleteSteps(configuration)) return RollBack(configuration);
  return Finish(configuration);
}

// Source, licence, configuration and room: nothing is changed on the
// machine before all of them are settled.
bool InstallSequence::Prepare() {
  source_found_ = LocateSource();
  report_.source_directory = source_;
  matcher_.set_client_source_folder(script_.client_offered ? JoinPath(source_, script_.client_folder)
                                                           : kNoClientSourceFolder);
  if (matcher_.installed()) matcher_.ComputeCredit();
  RefreshFreeSpace(platform_.files, matcher_.drives());
  if (!source_found_) {
    platform_.ui.ShowMessageBox(Text(install_text::kSourceMissing), Text(install_text::kSourceMissingCaption),
                                box::kIconExclamation);
    return Stop(InstallStop::NoDisc);
  }
  if (!ShowLicenseAgreement(platform_, env_.ui_state, script_, LanguageIndex(), Lookup(),
                            context_.application_name))
    return Stop(InstallStop::LicenseDeclined);
  if (!ChooseConfiguration(matcher_) || !matcher_.chosen()) return Stop(InstallStop::NoConfiguration);
  ForgetReturnKeyWhenHeld();
  if (matcher_.Fits(*matcher_.chosen())) return true;
  // No drive can take it: said here, as the directory dialog would find no
  // drive either and stop without a word.
  platform_.ui.ShowMessageBox(Text(install_text::kNoRoom), Text(install_text::kDirectoryCaption),
                              box::kIconExclamation);
  return Stop(InstallStop::NoRoom);
}

bool InstallSequence::LocateSource() {
  if (script_.data_source != kDataSourceCdRom) {
    source_ = script_.data_source;
    return true;
  }
  const std::optional<std::string> disc = LocateSourceDisc(platform_.files, script_.volume_name);
  if (disc) source_ = *disc;
  return disc.has_value();
}

// The common files, unless the configuration goes without them, then the
// configuration's own, each with the chosen language's files.
CopyItemList InstallSequence::FileList(Configuration& configuration) {
  matcher_.AddCommonLanguageFiles();
  matcher_.AddLanguageFiles(configuration);
  CopyItemList list;
  if (!configuration.without_common_files) {
    list.items = script_.common_files.items;
    list.total = script_.common_files.total;
  }
  list.items.insert(list.items.end(), configuration.files.items.begin(), configuration.files.items.end());
  list.total += configuration.files.total;
  return list;
}

bool InstallSequence::ChooseInstallDirectory(const CopyItemList& list) {
  DestinationRequest request{platform_,
                             env_.ui_state,
                             Lookup(),
                             matcher_.drives(),
                             install_directory_,
                             install_directory_,
                             static_cast<std::uint64_t>(std::max<std::int64_t>(list.total, 0)),
                             list.items.size()};
  const std::optional<std::string> chosen = ChooseDestination(request);
  ForgetReturnKeyWhenHeld();
  if (!chosen) return false;
  install_directory_ = *chosen;
  return true;
}

// The installed copy goes first, from where it was; a same-folder
// reinstall keeps the folders and the user's files in it.
bool InstallSequence::UninstallPrevious() {
  const std::string previous = matcher_.destination_directory();
  UninstallRequest request;
  request.replace_mode = true;
  request.directories_differ = AsciiLower(previous) != AsciiLower(install_directory_);
  if (!context_.uninstall(request)) {
    install_directory_ = previous;
    return false;
  }
  matcher_.set_credit(0);
  return true;
}

InstallOutcome InstallSequence::CopyStep(Configuration& configuration, const CopyItemList& list) {
  CopyRequest request{platform_, Lookup(),
                      CopyPlaces{source_, install_directory_, platform_.files.SystemDirectory()}};
  report_.copy = CopyFiles(request, list);
  if (report_.copy.code != CopyOutcome::kDone) return RollBack(configuration);
  PostInstallContext post = PostContext(configuration);
  if (!WriteLogAndCallDll(post, list)) return RollBack(configuration);
  return InstallOutcome::Installed;
}

// Components, the client and its address, hardware actions, shortcuts and the
// product's record: the first failure undoes the installation.
bool InstallSequence::CompleteSteps(Configuration& configuration) {
  if (!matcher_.InstallMissingComponents(configuration, source_)) return false;
  if (!ClientStep()) return false;
  web_address_ = ChooseWebAddress();
  if (!matcher_.RunHardwareActions(configuration)) return false;
  std::string shortcut_folder;
  if (!configuration.playable) {
    const ShortcutSetting setting{
        script_, configuration, install_directory_, source_, context_.application_name, LanguageIndex()};
    shortcut_folder = CreateShortcuts(platform_, env_.ui_state, env_.script_state.strings, setting);
  }
  MessagePopup popup;
  context_.panel.SetWaitCursor(true);
  if (popup.Open(platform_.ui, BoxOwner::MainWindow)) popup.ShowText(Text(install_text::kWorking));
  context_.panel.Repaint();
  const bool recorded = Record(configuration, shortcut_folder);
  popup.Close();
  context_.panel.SetWaitCursor(false);
  return recorded;
}

// A present client is left alone for this run. Otherwise it is installed
// even over an installed copy: that copy's removal above took the
// product's share of the client, or the whole client with the last product.
bool InstallSequence::ClientStep() {
  if (!script_.client_offered) return true;
  if (context_.client.ClientProbe()) {
    matcher_.set_client_source_folder(kNoClientSourceFolder);
    return true;
  }
  return context_.client.ClientInstall();
}

bool InstallSequence::Record(Configuration& configuration, const std::string& shortcut_folder) {
  const std::string desktop =
      DesktopShortcutPath(platform_, env_.script_state.strings, context_.application_name);
  InstallChoices choices{install_directory_,
                         source_,
                         matcher_.IndexOf(&configuration),
                         env_.script_state.current_language,
                         std::string(AfterLastBackslash(desktop)),
                         web_address_};
  if (!RecordProduct(platform_, env_.registry_state, script_, choices, shortcut_folder)) return false;
  RegisterProduct(platform_, EntryFor(configuration));
  return true;
}

// The list of programs shows the game's own icon, and the size the
// installation copied.
UninstallEntry InstallSequence::EntryFor(const Configuration& configuration) {
  std::int64_t blocks = configuration.files.total;
  if (!configuration.without_common_files) blocks += script_.common_files.total;
  const std::string icon = script_.icon.empty() ? configuration.program_name : script_.icon;
  return UninstallEntry{script_.application_name, script_.version, install_directory_,
                        static_cast<std::uint32_t>(std::max<std::int64_t>(blocks, 0) / 2),
                        icon.empty() ? std::string() : install_directory_ + icon};
}

// No address without a list, the only one of a list of one, else the
// user's pick; a cancelled pick records none.
std::string InstallSequence::ChooseWebAddress() {
  if (!script_.client_offered || script_.web_addresses.empty()) return {};
  if (script_.web_addresses.size() == 1) return script_.web_addresses.front();
  UrlChoiceDialog dialog(script_.web_addresses, Lookup(), env_.ui_state);
  const int answer = dialog.Run(platform_.ui);
  ForgetReturnKeyWhenHeld();
  return answer == DialogModel::kOkCommand ? dialog.chosen() : std::string();
}

InstallOutcome InstallSequence::Finish(Configuration& configuration) {
  PostInstallContext post = PostContext(configuration);
  LaunchAfterInstall(post);
  matcher_.MarkInstalled(&configuration, env_.script_state.current_language);
  if (!env_.ui_state.unattended) OfferReadme(post, LanguageIndex());
  ForgetReturnKeyWhenHeld();
  return InstallOutcome::Installed;
}

// Whatever reached the machine goes again, without a question; the
// chosen configuration is the one removed.
InstallOutcome InstallSequence::RollBack(Configuration& configuration) {
  matcher_.MarkNotInstalled();
  if (!report_.copy.disk_full_reported)
    platform_.ui.ShowMessageBox(Text(install_text::kFailed), Text(install_text::kFailedCaption),
                                box::kIconExclamation);
  matcher_.set_destination_directory(install_directory_);
  matcher_.MarkInstalled(&configuration, env_.script_state.current_language);
  UninstallRequest request;
  request.no_confirmation = true;
  context_.uninstall(request);
  matcher_.MarkNotInstalled();
  return InstallOutcome::RolledBack;
}

PostInstallContext InstallSequence::PostContext(const Configuration& configuration) {
  return PostInstallContext{platform_, Lookup(), script_, configuration, source_, install_directory_};
}

std::size_t InstallSequence::LanguageIndex() const {
  const std::vector<std::string>& keys = script_.languages.keys;
  const auto found = std::find(keys.begin(), keys.end(), env_.script_state.current_language);
  return static_cast<std::size_t>(found - keys.begin());
}

TextLookup InstallSequence::Lookup() {
  return [this](int number) { return Text(number); };
}

void InstallSequence::ForgetReturnKeyWhenHeld() {
  if (context_.panel.ReturnKeyDown()) env_.ui_state.return_key_armed = false;
}

}  // namespace

InstallReport InstallProduct(InstallContext& context) { return InstallSequence(context).Run(); }

const char* InstallOutcomeName(InstallOutcome outcome) {
  switch (outcome) {
    case InstallOutcome::Installed:
      return "installed";
    case InstallOutcome::NotStarted:
      return "not started";
    case InstallOutcome::RemovalRefused:
      return "previous copy kept";
    case InstallOutcome::RolledBack:
      return "failed, rolled back";
  }
  return "?";
}

}  // namespace tvx
