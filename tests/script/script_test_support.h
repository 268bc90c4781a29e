// A simulated machine for the script tests: the program on the CD-ROM
// D:\ labelled ZEPHRA, message boxes recorded in order.
#pragma once

#include <string>

#include "script/detection_catalogue.h"
#include "script/install_script.h"
#include "script/script_environment.h"
#include "script/script_process_state.h"
#include "support/recording_ui.h"
#include "support/test_machine.h"

namespace tvx::testing {

class ScriptMachine {
 public:
  explicit ScriptMachine(TestMachine::Options options = {});

  Platform& platform() { return platform_; }
  RecordingUi& ui() { return ui_; }
  TestMachine& machine() { return machine_; }
  ScriptEnvironment Environment(std::string install_data_folder = "D:\\InstData");
  // Writes the text as D:\InstData\tvx.ins and loads it.
  bool LoadText(const std::string& text);
  bool Load(const std::string& path = "");

  DetectionCatalogue tests;
  ScriptProcessState state;
  InstallScript script;

 private:
  TestMachine machine_;
  RecordingUi ui_;
  Platform platform_;
};

// Every "\n" in the text becomes a line end: "A\nB" is two lines.
std::string Lines(std::initializer_list<const char*> lines);

}  // namespace tvx::testing
