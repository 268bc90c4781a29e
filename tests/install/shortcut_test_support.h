// The sample product on a simulated machine, ready for its shortcuts: the
// script loaded from the disc, the language's strings and files chosen,
// and a shell that records every shortcut it is asked to write.
#pragma once

#include <string>
#include <vector>

#include "install/create_shortcuts.h"
#include "script/detection_catalogue.h"
#include "script/script_process_state.h"
#include "support/test_machine.h"

namespace tvx::testing {

// Forwards to the machine's shell and keeps the shortcuts asked for.
class RecordingShell : public Shell {
 public:
  explicit RecordingShell(Shell& shell) : shell_(shell) {}
  std::string SpecialFolderPath(SpecialFolder folder) override { return shell_.SpecialFolderPath(folder); }
  bool OpenDocument(std::string_view target) override { return shell_.OpenDocument(target); }
  MutexResult CreateNamedMutex(std::string_view name) override { return shell_.CreateNamedMutex(name); }
  std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) override {
    return shell_.OpenLibrary(name);
  }
  bool BringProcessWindowToFront(std::string_view name) override {
    return shell_.BringProcessWindowToFront(name);
  }
  std::uint32_t StartProgram(std::string_view command_line, int show_state) override {
    return shell_.StartProgram(command_line, show_state);
  }
  std::optional<std::int32_t> RunProgramAndWait(std::string_view program,
                                                std::string_view argument) override {
    return shell_.RunProgramAndWait(program, argument);
  }
  bool RequestRestart() override { return shell_.RequestRestart(); }
  ElevationAnswer RestartElevated(std::string_view parameters) override {
    return shell_.RestartElevated(parameters);
  }
  bool ClaimElevatedRestart() override { return shell_.ClaimElevatedRestart(); }
  std::optional<std::uint32_t> WaitForElevatedCopy() override { return shell_.WaitForElevatedCopy(); }
  bool StartAsDesktopUser(std::string_view program, std::string_view parameters,
                          std::string_view directory) override {
    return shell_.StartAsDesktopUser(program, parameters, directory);
  }
  bool CreateShellLink(const ShellLink& link) override {
    links.push_back(link);
    return shell_.CreateShellLink(link);
  }
  int AddFontFile(std::string_view path) override { return shell_.AddFontFile(path); }
  void BroadcastFontChange() override { shell_.BroadcastFontChange(); }
  // The shortcut written to that file; null when none was.
  const ShellLink* Find(const std::string& file) const;

  std::vector<ShellLink> links;

 private:
  Shell& shell_;
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
