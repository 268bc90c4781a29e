// A shell that passes every call to another, for layers that watch or
// change a few of them and leave the rest to the machine's.
#pragma once

#include "platform/shell.h"

namespace tvx {

class ForwardingShell : public Shell {
 public:
  explicit ForwardingShell(Shell& inner) : inner_(inner) {}

  std::string SpecialFolderPath(SpecialFolder folder) override { return inner_.SpecialFolderPath(folder); }
  bool OpenDocument(std::string_view target) override { return inner_.OpenDocument(target); }
  MutexResult CreateNamedMutex(std::string_view name) override { return inner_.CreateNamedMutex(name); }
  std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) override {
    return inner_.OpenLibrary(name);
  }
  bool BringProcessWindowToFront(std::string_view executable_name) override {
    return inner_.BringProcessWindowToFront(executable_name);
  }
  std::uint32_t StartProgram(std::string_view command_line, int show_state) override {
    return inner_.StartProgram(command_line, show_state);
  }
  std::optional<std::int32_t> RunProgramAndWait(std::string_view program,
                                                std::string_view argument) override {
    return inner_.RunProgramAndWait(program, argument);
  }
  bool RequestRestart() override { return inner_.RequestRestart(); }
  ElevationAnswer RestartElevated(std::string_view parameters) override {
    return inner_.RestartElevated(parameters);
  }
  std::optional<std::uint32_t> WaitForElevatedCopy() override { return inner_.WaitForElevatedCopy(); }
  bool ClaimElevatedRestart() override { return inner_.ClaimElevatedRestart(); }
  bool StartAsDesktopUser(std::string_view program, std::string_view parameters,
                          std::string_view directory) override {
    return inner_.StartAsDesktopUser(program, parameters, directory);
  }
  bool CreateShellLink(const ShellLink& link) override { return inner_.CreateShellLink(link); }
  int AddFontFile(std::string_view path) override { return inner_.AddFontFile(path); }
  void BroadcastFontChange() override { inner_.BroadcastFontChange(); }

 protected:
  Shell& inner() { return inner_; }

 private:
  Shell& inner_;
};

}  // namespace tvx
