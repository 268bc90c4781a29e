#include "scratch_machine.h"

#include <unistd.h>

#include <fstream>

#include "platform/path_text.h"
#include "script_json.h"

namespace tvx::authoring {
namespace fs = std::filesystem;

namespace {

std::string ProfileJson(const std::string& cd_label) {
  return R"({
  "description": "tvxtool scratch machine",
  "os": {"platform": 1, "major": 4, "minor": 10, "build": 1998, "service": " A "},
  "windows_directory": "C:\\WINDOWS",
  "system_directory": "C:\\WINDOWS\\SYSTEM",
  "memory": {"total_physical": 67108864, "total_page_file": 134217728},
  "screen": {"width": 800, "height": 600, "bits_per_pixel": 16},
  "special_folders": {"fonts": "C:\\WINDOWS\\FONTS"},
  "drives": [
    {"letter": "C", "type": "fixed", "label": "", "capacity": 1073741824},
    {"letter": "D", "type": "cdrom", "label": )" +
         nlohmann::json(Windows1252ToUtf8(cd_label)).dump() + R"(}
  ]
})";
}

bool HoldsInstDataFolder(const fs::path& folder) {
  std::error_code status;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, status))
    if (entry.is_directory() && EqualsNoCase(entry.path().filename().string(), "InstData")) return true;
  return false;
}

bool StageDisc(const fs::path& script_folder, const fs::path& disc, std::string& error) {
  std::error_code status;
  if (HoldsInstDataFolder(script_folder)) {
    fs::copy(script_folder, disc, fs::copy_options::recursive, status);
    if (status) error = "cannot copy " + script_folder.string() + ": " + status.message();
    return !status;
  }
  fs::create_directories(disc / "InstData", status);
  for (const fs::directory_entry& entry : fs::directory_iterator(script_folder, status)) {
    if (!entry.is_regular_file()) continue;
    fs::copy_file(entry.path(), disc / "InstData" / entry.path().filename(), status);
    if (status) break;
  }
  if (status) error = "cannot copy " + script_folder.string() + ": " + status.message();
  return !status;
}

}  // namespace

int CollectingUi::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t, BoxOwner) {
  std::string line = std::string(caption) + ": ";
  for (const char c : text) line += c == '\n' ? std::string("\\n") : std::string(1, c);
  lines.push_back(Windows1252ToUtf8(line));
  return box::kIdOk;
}

std::unique_ptr<ScratchMachine> ScratchMachine::Make(const fs::path& script_folder,
                                                     const std::string& cd_label, std::string& error,
                                                     const fs::path& profile, host::RunOptions options) {
  const fs::path folder = fs::temp_directory_path() / ("tvxtool-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path profile_file = profile.empty() ? folder / "profile.json" : profile;
  if (profile.empty()) std::ofstream(profile_file) << ProfileJson(cd_label);
  std::unique_ptr<host::SimulatedMachine> machine;
  if (StageDisc(script_folder, folder / "disc", error)) {
    error = host::CreateMachine(folder / "machine", profile_file, folder / "disc");
    options.program_path = "D:\\SetupTvx.exe";
    if (error.empty()) machine = host::SimulatedMachine::Open(folder / "machine", options, error);
  }
  if (!machine) {
    fs::remove_all(folder);
    return nullptr;
  }
  return std::unique_ptr<ScratchMachine>(new ScratchMachine(folder, std::move(machine)));
}

ScratchMachine::ScratchMachine(fs::path folder, std::unique_ptr<host::SimulatedMachine> machine)
    : folder_(std::move(folder)),
      machine_(std::move(machine)),
      platform_{machine_->platform().files, machine_->platform().registry, machine_->platform().system,
                machine_->platform().shell, ui_} {}

ScratchMachine::~ScratchMachine() {
  machine_.reset();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

}  // namespace tvx::authoring
