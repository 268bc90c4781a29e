#include "shell/front_panel.h"

#include "components/bind_installers.h"
#include "detection/bind_probes.h"
#include "platform/file_services.h"
#include "registry/installed_products.h"
#include "script/install_data.h"
#include "script/script_loader.h"
#include "script/strings_loader.h"
#include "shell/panel_control.h"
#include "shell/product_instance.h"
#include "shell/startup_places.h"
#include "ui/plain_message.h"
#include "uninstall/uninstall_choice.h"

namespace tvx {

const char* StartupResultName(StartupResult result) {
  switch (result) {
    case StartupResult::Continue:
      return "continue";
    case StartupResult::WebLinkOpened:
      return "web link opened";
    case StartupResult::UnsupportedSystem:
      return "unsupported system";
    case StartupResult::RestartedElevated:
      return "restarted elevated";
    case StartupResult::AlreadyRunning:
      return "already running";
    case StartupResult::NoScriptPath:
      return "no script path";
    case StartupResult::ScriptNotLoaded:
      return "script not loaded";
    case StartupResult::InstalledChoiceMissing:
      return "installed configuration missing";
    case StartupResult::NoLanguage:
      return "no language";
    case StartupResult::ProductRunning:
      return "product running";
    case StartupResult::MutexNotCreated:
      return "mutex not created";
    case StartupResult::PreparationFailed:
      return "preparation failed";
    case StartupResult::PanelPicturesMissing:
      return "panel pictures missing";
    case StartupResult::GuidePicturesMissing:
      return "guide pictures missing";
    case StartupResult::NothingToInstallOrPlay:
      return "nothing to install or play";
    case StartupResult::InstalledConfigurationUnusable:
      return "installed configuration unusable";
  }
  return "?";
}

FrontPanel::FrontPanel(Session& session, std::string_view command_line)
    : session_(session), platform_(session.platform), switches_(ParseCommandLine(command_line)) {
  session_.product_argument = switches_.product_argument;
  if (switches_.open_web_link) {
    platform_.shell.OpenDocument(switches_.product_argument);
    session_.quit_requested = true;
    quit_posted_ = true;
  }
}

FrontPanel::~FrontPanel() = default;

int FrontPanel::Run() {
  if (switches_.play_mode) {
    result_ = Initialise(nullptr);
    return kCancelCommand;
  }
  return platform_.ui.RunMainWindow(*this);
}

void FrontPanel::OnInit(DialogView& view) { result_ = Initialise(&view); }

StartupResult FrontPanel::Initialise(DialogView* view) {
  const StartupResult result = Steps(view);
  // Only the panel stays up, even with its guide missing; every other end
  // asks the window to close.
  const bool stays =
      panel_ && (result == StartupResult::Continue || result == StartupResult::GuidePicturesMissing);
  if (!stays) Quit(view);
  return result;
}

void FrontPanel::Quit(DialogView* view) {
  quit_posted_ = true;
  if (view) view->End(kCancelCommand);
}

StartupResult FrontPanel::Steps(DialogView* view) {
  if (session_.quit_requested) return StartupResult::WebLinkOpened;
  if (switches_.play_mode) DeleteRestartEntries();
  if (!CheckOperatingSystem()) return StartupResult::UnsupportedSystem;
  if (HandOverToElevatedCopy()) return StartupResult::RestartedElevated;
  if (!switches_.play_mode)
    if (const StartupResult taken = TakeSetupMutex(); taken != StartupResult::Continue) return taken;
  const std::string path = ScriptPath();
  if (path.empty()) return StartupResult::NoScriptPath;
  if (!LoadScriptAndChoice(path)) return result_;
  source_root_ = FindSourceRoot(platform_.files, script_);
  matcher_->set_client_source_folder(ClientSourceFolder(script_, source_root_, matcher_->installed()));
  if (!ChooseLanguageAndStrings()) return StartupResult::NoLanguage;
  if (const StartupResult held = HoldProductMutex(); held != StartupResult::Continue) return held;
  if (!switches_.play_mode && !switches_.uninstall_mode) OpenSplash();
  if (!matcher_->Prepare(switches_.uninstall_mode)) return StartupResult::PreparationFailed;
  return RunMode(view);
}

// A Play action that asked for a restart left "Play ..." shortcuts in the
// Startup folder; this start is that restart.
void FrontPanel::DeleteRestartEntries() {
  const std::string startup = platform_.shell.SpecialFolderPath(SpecialFolder::Startup);
  if (!startup.empty()) DeleteMatching(platform_.files, startup, "Play *.*");
}

bool FrontPanel::CheckOperatingSystem() {
  session_.system_version = ReadSystemVersion(platform_.system.Version());
  if (session_.system_version.Supported()) return true;
  ShowPlainMessage(platform_.ui,
                   std::string("This program does not support Windows NT Workstation Version )") + " " +
                       session_.system_version.version_text);
  return false;
}

// Before the single-instance mutex, which the elevated copy takes. The copy
// gets the process's whole command line, options of a silent run included.
// A refusal goes on with the user's rights: what needs more then fails with
// its own message.
bool FrontPanel::HandOverToElevatedCopy() {
  elevation_ = ElevateWhenNeeded(platform_, switches_, platform_.system.CommandLine());
  session_.elevated_under_uac = elevation_.ElevatedUnderUac();
  return elevation_.Handed();
}

// A mutex that cannot be created (a name longer than Windows allows) stops
// start-up: going on would run two copies unchecked.
StartupResult FrontPanel::TakeSetupMutex() {
  MutexResult mutex = platform_.shell.CreateNamedMutex(kSetupMutexName);
  if (mutex.already_existed) return StartupResult::AlreadyRunning;
  if (!mutex.handle) return StartupResult::MutexNotCreated;
  session_.setup_mutex = std::move(mutex.handle);
  return StartupResult::Continue;
}

StartupResult FrontPanel::HoldProductMutex() {
  MutexResult mutex = TakeProductMutex(platform_.shell, script_.volume_name, switches_.play_mode);
  if (mutex.already_existed) return StartupResult::ProductRunning;
  if (!mutex.handle) return StartupResult::MutexNotCreated;
  session_.product_mutex = std::move(mutex.handle);
  return StartupResult::Continue;
}

std::string FrontPanel::InstallDataFolder() {
  return ProductInstallDataDirectory(platform_.files, session_.registry_state, session_.product_argument);
}

// Uninstalling without a product name asks which installed product goes.
std::string FrontPanel::ScriptPath() {
  if (switches_.uninstall_mode && switches_.uninstall_product.empty()) {
    const UninstallChoice choice = ChooseProductToUninstall(platform_, session_.registry_state);
    if (choice.product.empty()) return {};
    session_.product_argument = choice.product;
    return choice.script_path;
  }
  return ScriptPathIn(InstallDataFolder());
}

bool FrontPanel::LoadScriptAndChoice(const std::string& path) {
  ScriptEnvironment environment{platform_, session_.script_state, catalogue_, InstallDataFolder(),
                                [this](std::string_view application) {
                                  return RecordedVolumeName(platform_.files, session_.registry_state,
                                                            application);
                                }};
  if (!LoadScript(environment, path, script_)) {
    result_ = StartupResult::ScriptNotLoaded;
    return false;
  }
  probes_ = std::make_unique<MachineProbes>(
      platform_, session_.system_version, session_.detection_state,
      ProbeSources(platform_, session_.registry_state, script_, catalogue_, session_.script_state.strings));
  BindProbes(catalogue_, *probes_);
  components_ = std::make_unique<ComponentContext>(ComponentContext{
      platform_, session_.detection_state, session_.ui_state,
      [this](int number) { return session_.script_state.strings.LookupString(platform_.ui, number); },
      [this] { return script_.application_name; }});
  BindComponentInstallers(catalogue_, *components_);
  matcher_ = std::make_unique<ConfigurationMatcher>(
      MatchingEnvironment{platform_, script_, catalogue_, session_.script_state, session_.registry_state,
                          session_.detection_state, session_.ui_state},
      *probes_);
  client_ = std::make_unique<OnlineClient>(ClientContext{
      platform_, session_.registry_state, session_.script_state, [this] { return script_.application_name; },
      [this] { return matcher_->client_source_folder(); }});
  matcher_->set_report_record_failure(!switches_.play_mode);
  if (matcher_->LoadInstalledChoice()) return true;
  result_ = StartupResult::InstalledChoiceMissing;
  return false;
}

bool FrontPanel::ChooseLanguageAndStrings() {
  ScriptProcessState& state = session_.script_state;
  state.strings_failed = false;
  const std::string folder = InstallDataFolder();
  LanguageContext context{platform_.ui, session_.ui_state, platform_.system.UserLanguageName(),
                          [&](const std::string& common, const std::string& product) {
                            LoadStrings(platform_, state, folder, common, product);
                            return !state.strings_failed;
                          }};
  const LanguageTable& table = script_.languages;
  std::string recorded = matcher_->language();
  return ChooseLanguage(context,
                        {table.keys, table.labels, table.common_strings_files, table.product_strings_files},
                        matcher_->installed() ? &recorded : nullptr, language_, state.current_language);
}

void FrontPanel::OpenSplash() {
  splash_ = std::make_unique<SplashWindow>();
  if (!splash_->Open(platform_.ui)) splash_.reset();
}

StartupResult FrontPanel::RunMode(DialogView* view) {
  if (switches_.play_mode) return PlayMode();
  if (switches_.uninstall_mode) {
    NoPanel no_panel;
    UninstallOptions options;
    options.uninstall_mode = true;
    if (matcher_->installed()) Uninstall(no_panel, options);
    return StartupResult::Continue;
  }
  panel_ =
      std::make_unique<PanelWindow>(session_, script_, *matcher_, [this] { return InstallDataFolder(); });
  switch (panel_->Create(*view, splash_.get())) {
    case PanelWindow::SetUp::Ready:
      return StartupResult::Continue;
    case PanelWindow::SetUp::PicturesMissing:
      return StartupResult::PanelPicturesMissing;
    case PanelWindow::SetUp::GuideMissing:
      return StartupResult::GuidePicturesMissing;
    case PanelWindow::SetUp::NothingToDo:
      return StartupResult::NothingToInstallOrPlay;
  }
  return StartupResult::Continue;
}

StartupResult FrontPanel::PlayMode() {
  if (!matcher_->installed()) {
    Play(nullptr);
    return StartupResult::Continue;
  }
  if (!matcher_->InstalledConfigurationUsable()) return StartupResult::InstalledConfigurationUnusable;
  if (const StartupResult taken = TakeSetupMutex(); taken != StartupResult::Continue) return taken;
  Play(nullptr);
  return StartupResult::Continue;
}

void FrontPanel::Play(DialogView* view) {
  play_ = PlayAction(session_, script_, *matcher_, view ? panel_.get() : nullptr, view).Run();
  if (view && play_->EndsTheProgram()) Quit(view);
}

void FrontPanel::Install(DialogView& view) {
  if (!panel_) return;
  PanelControl control(*panel_, view);
  InstallContext context{
      *matcher_, control,
      [this, &control](const UninstallRequest& request) { return UninstallFor(control, request); },
      LocalizedApplicationName(session_.script_state.strings, platform_.ui, script_), *client_};
  install_ = InstallProduct(context);
}

// A removal the user refused fails the installation's step; a rollback
// removes what this run copied into its own directory.
bool FrontPanel::UninstallFor(PanelHooks& panel, const UninstallRequest& request) {
  UninstallOptions options;
  options.replace_mode = request.replace_mode;
  options.no_confirmation = request.no_confirmation;
  options.directories_differ = request.directories_differ;
  options.installed_here = request.no_confirmation;
  Uninstall(panel, options);
  return uninstall_ != UninstallResult::Cancelled;
}

void FrontPanel::Uninstall(PanelHooks& hooks, const UninstallOptions& options) {
  UninstallContext context{platform_,
                           session_.script_state,
                           session_.registry_state,
                           session_.ui_state,
                           script_,
                           *matcher_,
                           hooks,
                           LocalizedApplicationName(session_.script_state.strings, platform_.ui, script_),
                           *client_};
  uninstall_ = UninstallProduct(context, options);
}

void FrontPanel::OnCommand(DialogView& view, int id) {
  switch (id) {
    case command::kInstall:
      Install(view);
      break;
    case command::kUninstall:
      if (panel_) {
        PanelControl hooks(*panel_, view);
        Uninstall(hooks, UninstallOptions{});
      }
      break;
    case command::kPlay:
      Play(&view);
      break;
    case command::kWeb:
      if (script_.web_button) platform_.shell.OpenDocument(script_.web_button_address);
      break;
    case kCancelCommand:
      view.End(kCancelCommand);
      break;
    default:
      break;  // Return as OK does nothing on the panel
  }
}

void FrontPanel::OnKey(DialogView&, int key) {
  if (key == kReturnKey) session_.ui_state.return_key_armed = false;
}

void FrontPanel::OnPaint(DialogView& view) {
  if (panel_) panel_->Paint(view);
}

void FrontPanel::OnDisplayChange(DialogView& view) {
  if (!panel_) return;
  panel_->ReloadPictures();
  view.Invalidate();
}

void FrontPanel::OnActivate(DialogView& view, bool active) {
  if (active) view.Invalidate();
}

}  // namespace tvx
