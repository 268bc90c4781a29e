// One simulated machine shared by every run of a script harness: the
// program on the CD-ROM D:\, message boxes swallowed.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/host/simulated_machine.h"
#include "script/detection_catalogue.h"
#include "script/install_script.h"
#include "script/script_environment.h"

namespace tvx::fuzzing {

class SilentUi : public Ui {
 public:
  int ShowMessageBox(std::string_view, std::string_view, std::uint32_t, BoxOwner) override {
    return box::kIdOk;
  }
};

class ScriptFuzzMachine {
 public:
  ScriptFuzzMachine()
      : folder_(std::filesystem::temp_directory_path() / ("tvx-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "profile.json") << R"({"os": {"platform": 1, "major": 4, "minor": 10},
      "windows_directory": "C:\\WINDOWS", "system_directory": "C:\\WINDOWS\\SYSTEM",
      "special_folders": {"fonts": "C:\\WINDOWS\\FONTS"},
      "drives": [{"letter": "C", "type": "fixed"}, {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}]})";
    std::string error = host::CreateMachine(folder_ / "machine", folder_ / "profile.json");
    host::RunOptions options;
    options.program_path = "D:\\SetupTvx.exe";
    if (error.empty()) machine_ = host::SimulatedMachine::Open(folder_ / "machine", options, error);
    if (!machine_) std::abort();
    platform_ =
        std::make_unique<Platform>(Platform{machine_->platform().files, machine_->platform().registry,
                                            machine_->platform().system, machine_->platform().shell, ui_});
  }
  ~ScriptFuzzMachine() {
    machine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  Platform& platform() { return *platform_; }

 private:
  std::filesystem::path folder_;
  SilentUi ui_;
  std::unique_ptr<host::SimulatedMachine> machine_;
  std::unique_ptr<Platform> platform_;
};

inline ScriptFuzzMachine& SharedMachine() {
  static ScriptFuzzMachine machine;
  return machine;
}

// What any parse must leave true, whatever the input.
inline void CheckModel(bool ok, const InstallScript& script) {
  if (ok != (script.load.error_line == -1) || script.load.error_line < -1) std::abort();
  const auto sum = [](const CopyItemList& list) {
    std::int64_t total = 0;
    for (const CopyItem& item : list.items) total += item.size;
    return total;
  };
  if (sum(script.common_files) != script.common_files.total || script.common_language_files.total != 0)
    std::abort();
  for (const Configuration& configuration : script.configurations) {
    if (sum(configuration.files) + configuration.component_size != configuration.files.total) std::abort();
    for (const auto* list : {&configuration.hardware, &configuration.software, &configuration.system})
      for (const Requirement& requirement : *list)
        if (!requirement.test) std::abort();
  }
}

}  // namespace tvx::fuzzing
