#include "install/post_install_rig.h"

namespace tvx::testing {

std::string TextNumber(int number) { return "text " + std::to_string(number); }

PostInstallRig::PostInstallRig(const std::string& profile_patch, const std::string& answers) {
  TestMachine::Options options;
  options.profile_json = PatchedProfile(profile_patch);
  options.answers = answers;
  machine_ = std::make_unique<TestMachine>(std::move(options));
  machine_->WriteFile(std::string(kPostInstallDirectory) + "game.exe", "MZ");
}

PostInstallContext PostInstallRig::Context() {
  return PostInstallContext{platform(), TextNumber, script, configuration, "D:", kPostInstallDirectory};
}

}  // namespace tvx::testing
