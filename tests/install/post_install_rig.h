// The steps around the copy and at the end of an installation, on a fresh
// simulated machine: the disc is D:, this program D:\SetupTvx.exe, the
// product goes to C:\Games\Zephra\. Localized strings read "text <n>".
#pragma once

#include <memory>
#include <string>

#include "install/post_install_context.h"
#include "support/test_machine.h"

namespace tvx::testing {

inline constexpr const char* kPostInstallDirectory = "C:\\Games\\Zephra\\";

// A shell that answers every program start with one number and keeps the
// command lines; the rest goes to the machine's.
class StartAnsweringShell : public Shell {
 public:
  StartAnsweringShell(Shell& shell, std::uint32_t answer) : shell_(shell), answer_(answer) {}
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
    started.emplace_back(command_line);
    show_states.push_back(show_state);
    return answer_;
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
  bool CreateShellLink(const ShellLink& link) override { return shell_.CreateShellLink(link); }
  int AddFontFile(std::string_view path) override { return shell_.AddFontFile(path); }
  void BroadcastFontChange() override { shell_.BroadcastFontChange(); }

  std::vector<std::string> started;
  std::vector<int> show_states;

 private:
  Shell& shell_;
  std::uint32_t answer_;
};

class PostInstallRig {
 public:
  explicit PostInstallRig(const std::string& profile_patch = "{}", const std::string& answers = "");

  PostInstallContext Context();
  TestMachine& machine() { return *machine_; }
  Platform& platform() { return machine_->platform(); }
  // The message boxes' and dialogs' lines of the transcript.
  std::string Transcript() const { return machine_->Transcript(); }

  InstallScript script;
  Configuration configuration;

 private:
  std::unique_ptr<TestMachine> machine_;
};

std::string TextNumber(int number);

}  // namespace tvx::testing
