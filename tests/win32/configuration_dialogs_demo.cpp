// tvx_configuration_demo: the sample disc on drive D: matched against the
// machine the real backend finds, and one of the configuration dialogs
// shown with the program's resources, for end-to-end checks under Wine.
//   tvx_configuration_demo no-match          prints "answer=N"
//   tvx_configuration_demo details INDEX     prints "answer=N"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "detection/bind_probes.h"
#include "detection/configuration_matcher.h"
#include "detection/details_dialog.h"
#include "detection/no_match_dialog.h"
#include "detection/system_version.h"
#include "platform/win32/win32_platform.h"
#include "script/script_loader.h"
#include "script/strings_loader.h"

namespace {

constexpr const char* kInstallData = "D:\\InstData";

struct Demo {
  tvx::win32::Win32Platform real;
  tvx::DetectionCatalogue catalogue;
  tvx::InstallScript script;
  tvx::ScriptProcessState script_state;
  tvx::RegistryProcessState registry_state;
  tvx::DetectionProcessState detection_state;
  tvx::UiProcessState ui_state;
  tvx::SystemVersion version;
};

bool Prepare(Demo& demo, std::unique_ptr<tvx::MachineProbes>& probes,
             std::unique_ptr<tvx::ConfigurationMatcher>& matcher) {
  tvx::Platform& platform = demo.real.platform();
  tvx::ScriptEnvironment environment{platform, demo.script_state, demo.catalogue, kInstallData, {}};
  if (!tvx::LoadScript(environment, "", demo.script)) return false;
  demo.script_state.current_language = "English";
  tvx::LoadStrings(platform, demo.script_state, kInstallData, "strings.eng", "zephra.eng");
  if (demo.script_state.strings_failed) return false;
  demo.version = tvx::ReadSystemVersion(platform.system.Version());
  probes = std::make_unique<tvx::MachineProbes>(platform, demo.version, demo.detection_state,
                                                tvx::ProbeSources(platform, demo.registry_state, demo.script,
                                                                  demo.catalogue, demo.script_state.strings));
  tvx::BindProbes(demo.catalogue, *probes);
  matcher = std::make_unique<tvx::ConfigurationMatcher>(
      tvx::MatchingEnvironment{platform, demo.script, demo.catalogue, demo.script_state, demo.registry_state,
                               demo.detection_state, demo.ui_state},
      *probes);
  return matcher->Prepare(false);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what != "no-match" && !(what == "details" && argc > 2)) {
    std::puts("usage: tvx_configuration_demo no-match | details INDEX");
    return 2;
  }
  Demo demo;
  std::unique_ptr<tvx::MachineProbes> probes;
  std::unique_ptr<tvx::ConfigurationMatcher> matcher;
  if (!Prepare(demo, probes, matcher)) {
    std::puts("the sample disc could not be prepared");
    return 3;
  }
  tvx::Ui& ui = demo.real.platform().ui;
  int answer = 0;
  if (what == "no-match") {
    answer = tvx::NoMatchDialog(*matcher).Run(ui);
  } else {
    const auto index = static_cast<std::size_t>(std::atoi(argv[2]));
    if (index >= demo.script.configurations.size()) return 2;
    answer = tvx::DetailsDialog(*matcher, demo.script.configurations[index], {}).Run(ui);
  }
  std::printf("answer=%d\n", answer);
  std::fflush(stdout);
  return 0;
}
