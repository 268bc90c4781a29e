// The sample product on a simulated machine, ready for its shortcuts: the
// script loaded from the disc, the language's strings and files chosen,
// and a shell that records every shortcut it is asked to write.
#pragma once

#include <string>
#include <vector>

#include "install/create_shortcuts.h"
#include "platform/forwarding_shell.h"
#include "script/detection_catalogue.h"
#include "script/script_process_state.h"
#include "support/test_machine.h"

namespace tvx::testing {

// Forwards to the machine's shell and keeps the shortcuts asked for.
class RecordingShell : public ForwardingShell {
 public:
  explicit RecordingShell(Shell& shell) : ForwardingShell(shell) {}
  bool CreateShellLink(const ShellLink& link) override {
    links.push_back(link);
    return inner().CreateShellLink(link);
  }
  // The shortcut written to that file; null when none was.
  const ShellLink* Find(const std::string& file) const;

  std::vector<ShellLink> links;
};

inline constexpr const char* kInstallDirectory = "C:\\Tarvex\\Zephra\\";
inline constexpr const char* kBrowserIcon = "C:\\Program Files\\Browser\\browse.exe";

class SampleProduct {
 public:
  // English (language 0) or French (1); the answer script drives the
  // dialogs; the patch changes the Windows 98 profile (JSON merge patch).
  explicit SampleProduct(const std::string& answers = "", std::size_t language = 0,
                         const std::string& profile_patch = "{}");

  Platform& platform() { return platform_; }
  TestMachine& machine() { return machine_; }
  RecordingShell& shell() { return shell_; }
  host::HostUi& ui() { return machine_.machine().ui(); }
  ShortcutSetting Setting(std::size_t configuration) const;
  std::string Create(std::size_t configuration);

  InstallScript script;
  ScriptProcessState state;
  UiProcessState ui_state;
  DetectionCatalogue tests;

 private:
  TestMachine machine_;
  RecordingShell shell_;
  Platform platform_;
  std::size_t language_;
};

}  // namespace tvx::testing
