#include "detection/probe_machine.h"

#include <nlohmann/json.hpp>

namespace tvx::testing {
namespace fs = std::filesystem;

namespace {

// The host path of a Windows path: its drive folder, then its components.
fs::path HostPathOn(TestMachine& machine, const std::string& windows_path) {
  fs::path path =
      machine.folder() / "drives" / std::string(1, static_cast<char>(std::tolower(windows_path[0])));
  std::size_t start = 3;
  while (start < windows_path.size()) {
    const std::size_t end = windows_path.find('\\', start);
    path /= windows_path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return path;
}

}  // namespace

std::string PatchedProfile(const std::string& patch_json) {
  nlohmann::json profile = nlohmann::json::parse(DefaultProfileJson());
  profile.merge_patch(nlohmann::json::parse(patch_json));
  return profile.dump(2);
}

std::unique_ptr<TestMachine> MachineWith(const std::string& patch_json) {
  TestMachine::Options options;
  options.profile_json = PatchedProfile(patch_json);
  return std::make_unique<TestMachine>(std::move(options));
}

void PutFile(TestMachine& machine, const std::string& windows_path, const std::string& contents) {
  const fs::path path = HostPathOn(machine, windows_path);
  fs::create_directories(path.parent_path());
  WriteHostText(path, contents);
}

void PutSizedFile(TestMachine& machine, const std::string& windows_path, std::uintmax_t size) {
  PutFile(machine, windows_path, "");
  fs::resize_file(HostPathOn(machine, windows_path), size);
}

std::string FixtureBytes(const std::string& relative_path) {
  return ReadHostText(fs::path(TVX_SOURCE_DIR) / "tests" / "data" / relative_path);
}

}  // namespace tvx::testing
