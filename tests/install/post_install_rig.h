// The steps around the copy and at the end of an installation, on a fresh
// simulated machine: the disc is D:, this program D:\SetupTvx.exe, the
// product goes to C:\Games\Zephra\. Localized strings read "text <n>".
#pragma once

#include <memory>
#include <string>

#include "install/post_install_context.h"
#include "platform/forwarding_shell.h"
#include "support/test_machine.h"

namespace tvx::testing {

inline constexpr const char* kPostInstallDirectory = "C:\\Games\\Zephra\\";

// A shell that answers every program start with one number and keeps the
// command lines; the rest goes to the machine's.
class StartAnsweringShell : public ForwardingShell {
 public:
  StartAnsweringShell(Shell& shell, std::uint32_t answer) : ForwardingShell(shell), answer_(answer) {}
  std::uint32_t StartProgram(std::string_view command_line, int show_state) override {
    started.emplace_back(command_line);
    show_states.push_back(show_state);
    return answer_;
  }

  std::vector<std::string> started;
  std::vector<int> show_states;

 private:
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
