// The program's main object: built from the command line, it runs start-up
// (checks, script, language, the machine) and, in panel mode, is the front
// panel window itself.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/media_installers.h"
#include "components/online_client.h"
#include "detection/configuration_matcher.h"
#include "detection/machine_probes.h"
#include "install/install_product.h"
#include "platform/dialog_model.h"
#include "script/detection_catalogue.h"
#include "script/install_script.h"
#include "shell/command_line.h"
#include "shell/elevation_check.h"
#include "shell/panel_window.h"
#include "shell/play_action.h"
#include "shell/session.h"
#include "ui/choose_language.h"
#include "ui/splash_window.h"
#include "uninstall/uninstall_product.h"

namespace tvx {

// Where start-up stopped, or that it reached the panel.
enum class StartupResult {
  Continue,                        // the panel is up (or the mode's action was reached)
  WebLinkOpened,                   // "-http": the address was opened
  UnsupportedSystem,               // the operating system was refused
  RestartedElevated,               // an elevated copy of the program took over
  AlreadyRunning,                  // another setup holds the single-instance mutex
  NoScriptPath,                    // no product was chosen to uninstall
  ScriptNotLoaded,                 // missing or corrupted script (reported)
  InstalledChoiceMissing,          // the recorded configuration is not in the script (reported)
  NoLanguage,                      // the choice was cancelled or the strings could not be read
  ProductRunning,                  // the product's mutex is held: the game runs
  MutexNotCreated,                 // the single-instance or the product's mutex could not be created
  PreparationFailed,               // the machine could not be evaluated
  PanelPicturesMissing,            // the background or a button picture is missing (reported)
  GuidePicturesMissing,            // the guide's pictures are missing: the panel stays as it is
  NothingToInstallOrPlay,          // nothing fits and nothing plays
  InstalledConfigurationUnusable,  // "-play" on a configuration that no longer suits
};

const char* StartupResultName(StartupResult result);

// An action the panel or a mode asked for that this build does not carry
// out yet.
enum class RequestedAction { Uninstall };

inline constexpr const char* kSetupMutexName = "SetupTvx.exe";

class FrontPanel : public DialogModel {
 public:
  static constexpr int kTemplate = 102;

  // Reads the switches; "-http" opens its address at once.
  FrontPanel(Session& session, std::string_view command_line);
  ~FrontPanel() override;

  // The window in panel mode (start-up is its initialisation); in play
  // mode start-up alone, without a window. Answers the run's end code.
  int Run();
  // Start-up; view is null in play mode.
  StartupResult Initialise(DialogView* view);

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;
  void OnKey(DialogView& view, int key) override;
  void OnPaint(DialogView& view) override;
  void OnDisplayChange(DialogView& view) override;
  void OnActivate(DialogView& view, bool active) override;

  const CommandLineSwitches& switches() const { return switches_; }
  StartupResult result() const { return result_; }
  bool quit_posted() const { return quit_posted_; }
  const InstallScript& script() const { return script_; }
  const std::string& source_root() const { return source_root_; }
  const LanguageChoice& language() const { return language_; }
  ConfigurationMatcher* matcher() { return matcher_.get(); }
  const PanelWindow* panel() const { return panel_.get(); }
  const std::vector<RequestedAction>& requested_actions() const { return requested_; }
  const ElevationReport& elevation() const { return elevation_; }
  // How the Play action ended, once it ran.
  const std::optional<PlayReport>& play() const { return play_; }
  // How the last installation ended, once one ran.
  const std::optional<InstallReport>& install() const { return install_; }
  // How the Uninstall command ended, once it ran.
  const std::optional<UninstallResult>& uninstall() const { return uninstall_; }

 private:
  StartupResult Steps(DialogView* view);
  void DeleteRestartEntries();
  bool CheckOperatingSystem();
  // True when an elevated copy was started to do this run's work.
  bool HandOverToElevatedCopy();
  StartupResult TakeSetupMutex();
  StartupResult HoldProductMutex();
  std::string ScriptPath();
  bool LoadScriptAndChoice(const std::string& path);
  bool ChooseLanguageAndStrings();
  void OpenSplash();
  StartupResult RunMode(DialogView* view);
  StartupResult PlayMode();
  // The Play action; view is the panel's, null in play mode.
  void Play(DialogView* view);
  void Install(DialogView& view);
  // The panel's Uninstall command as the installation sends it.
  bool UninstallFor(PanelHooks& panel, const UninstallRequest& request);
  void Uninstall(PanelHooks& hooks, const UninstallOptions& options);
  std::string InstallDataFolder();
  void Quit(DialogView* view);

  Session& session_;
  Platform& platform_;
  CommandLineSwitches switches_;
  DetectionCatalogue catalogue_;
  InstallScript script_;
  std::unique_ptr<MachineProbes> probes_;
  std::unique_ptr<ComponentContext> components_;
  std::unique_ptr<ConfigurationMatcher> matcher_;
  std::unique_ptr<OnlineClient> client_;
  std::string source_root_;
  LanguageChoice language_;
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<PanelWindow> panel_;
  std::vector<RequestedAction> requested_;
  ElevationReport elevation_;
  std::optional<PlayReport> play_;
  std::optional<InstallReport> install_;
  std::optional<UninstallResult> uninstall_;
  StartupResult result_ = StartupResult::Continue;
  bool quit_posted_ = false;
};

}  // namespace tvx
