// A simulated machine with a script and strings loaded, the probes bound
// and a matcher made: the ground of the matching and dialog tests.
#pragma once

#include <memory>
#include <string>

#include "detection/configuration_matcher.h"
#include "detection/system_version.h"
#include "platform/host/host_ui.h"
#include "support/test_machine.h"

namespace tvx::testing {

// Every string the matching and its dialogs look up reads "S<number>";
// the value sections of the sample's strings give named values.
std::string TestStrings();
// A script holding the given CONFIG blocks after a small header (Zephra on
// ZEPHRA, English and French, two common files of 1 and 2 blocks).
std::string ScriptWith(const std::string& configurations, const std::string& header_extra = "");

class MatchingRig {
 public:
  struct Options {
    std::string profile_patch = "{}";    // merged into the default test machine
    std::filesystem::path profile_file;  // an example machine instead
    std::string answers;                 // answer script of the machine
    std::string language = "English";
  };

  static Options Patched(std::string profile_patch, std::string answers = "") {
    Options options;
    options.profile_patch = std::move(profile_patch);
    options.answers = std::move(answers);
    return options;
  }
  static Options Answering(std::string answers) { return Patched("{}", std::move(answers)); }

  explicit MatchingRig(Options options);
  MatchingRig() : MatchingRig(Options{}) {}

  // Loads the script from D:\InstData and the strings; false when the script
  // does not load.
  bool Load(const std::string& script_text, const std::string& strings = TestStrings());
  // The sample disc of examples/disc with its own strings.
  bool LoadSampleDisc();

  TestMachine& machine() { return *machine_; }
  Platform& platform() { return machine_->platform(); }
  host::HostUi& ui() { return machine_->machine().ui(); }
  ConfigurationMatcher& matcher() { return *matcher_; }
  Configuration& configuration(std::size_t index) { return script.configurations.at(index); }
  DetectionTest& test(const std::string& name) { return *FindTest(catalogue, name); }
  // The texts the dialog showed when it opened (the n-th run of a dialog).
  const host::DialogState& shown(std::size_t run) const;

  DetectionCatalogue catalogue;
  InstallScript script;
  ScriptProcessState script_state;
  RegistryProcessState registry_state;
  DetectionProcessState detection_state;
  UiProcessState ui_state;
  SystemVersion version;

 private:
  bool Finish();

  Options options_;
  std::unique_ptr<TestMachine> machine_;
  std::unique_ptr<MachineProbes> probes_;
  std::unique_ptr<ConfigurationMatcher> matcher_;
};

}  // namespace tvx::testing
