// A throw-away simulated machine holding one script folder as D:\InstData,
// with the program on that CD-ROM; its message boxes are collected.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/simulated_machine.h"

namespace tvx::authoring {

class CollectingUi : public Ui {
 public:
  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  // "Caption: text", the line ends written as "\n", in UTF-8.
  std::vector<std::string> lines;
};

class ScratchMachine {
 public:
  // Copies the files of the folder (not its subfolders) to D:\InstData.
  // With a profile the machine is that one (its first CD-ROM drive holds
  // the folder, under the profile's own label).
  // A folder holding an "InstData" folder is a whole disc and is staged as
  // it stands. The options choose the simulated machine's own interface
  // (host()) for programs run whole.
  static std::unique_ptr<ScratchMachine> Make(const std::filesystem::path& script_folder,
                                              const std::string& cd_label, std::string& error,
                                              const std::filesystem::path& profile = {},
                                              host::RunOptions options = {});
  ~ScratchMachine();

  Platform& platform() { return platform_; }
  CollectingUi& ui() { return ui_; }
  host::SimulatedMachine& host() { return *machine_; }

 private:
  ScratchMachine(std::filesystem::path folder, std::unique_ptr<host::SimulatedMachine> machine);

  std::filesystem::path folder_;
  std::unique_ptr<host::SimulatedMachine> machine_;
  CollectingUi ui_;
  Platform platform_;
};

}  // namespace tvx::authoring
