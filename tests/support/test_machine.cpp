#include "support/test_machine.h"

#include <unistd.h>

#include <nlohmann/json.hpp>

#include <atomic>
#include <fstream>
#include <sstream>

namespace tvx::testing {
namespace fs = std::filesystem;

namespace {

fs::path UniqueFolder() {
  static std::atomic<int> counter{0};
  return fs::temp_directory_path() /
         ("tvx-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

void RemoveFolder(const fs::path& folder) {
  std::error_code error;
  // Read-only files would stop the removal: give the owner write back.
  for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it);
       it.increment(error))
    fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, error);
  fs::remove_all(folder, error);
}

}  // namespace

std::string DefaultProfileJson() {
  return R"({
  "description": "test machine",
  "os": {"platform": 1, "major": 4, "minor": 10, "build": 1998, "service": " A "},
  "windows_directory": "C:\\WINDOWS",
  "system_directory": "C:\\WINDOWS\\SYSTEM",
  "memory": {"total_physical": 67108864, "total_page_file": 134217728},
  "screen": {"width": 800, "height": 600, "bits_per_pixel": 16},
  "special_folders": {
    "programs": "C:\\WINDOWS\\Start Menu\\Programs",
    "startup": "C:\\WINDOWS\\Start Menu\\Programs\\StartUp",
    "start_menu": "C:\\WINDOWS\\Start Menu",
    "desktop": "C:\\WINDOWS\\Desktop",
    "fonts": "C:\\WINDOWS\\FONTS"
  },
  "drives": [
    {"letter": "C", "type": "fixed", "label": "", "capacity": 1073741824, "used": 536870912},
    {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}
  ]
})";
}

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

fs::path ExampleProfile(const std::string& name) {
  return fs::path(TVX_SOURCE_DIR) / "examples" / "machines" / (name + ".json");
}

fs::path SampleDisc() { return fs::path(TVX_SOURCE_DIR) / "examples" / "disc"; }

TemporaryFolder::TemporaryFolder() : path_(UniqueFolder()) { fs::create_directories(path_); }

TemporaryFolder::~TemporaryFolder() { RemoveFolder(path_); }

std::string ReadHostText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteHostText(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

TestMachine::TestMachine() : TestMachine(Options{}) {}

TestMachine::TestMachine(Options options) : folder_(UniqueFolder()) {
  fs::path profile = options.profile_file;
  if (profile.empty()) {
    profile = folder_.string() + ".json";
    WriteHostText(profile, options.profile_json);
  }
  const std::string error = host::CreateMachine(folder_, profile, options.disc);
  if (options.profile_file.empty()) fs::remove(profile);
  if (!error.empty()) throw std::runtime_error("cannot make a test machine: " + error);
  if (!options.answers.empty()) {
    std::string parse_error;
    options.run.ui.answers = host::AnswerScript::Parse(options.answers, parse_error);
    if (!options.run.ui.answers) throw std::runtime_error("bad answer script: " + parse_error);
  }
  if (options.run.ui.transcript.empty()) options.run.ui.transcript = folder_ / "transcript.log";
  machine_ = Open(std::move(options.run));
}

TestMachine::~TestMachine() {
  machine_.reset();
  RemoveFolder(folder_);
}

std::unique_ptr<host::SimulatedMachine> TestMachine::Open(host::RunOptions run) const {
  std::string error;
  auto machine = host::SimulatedMachine::Open(folder_, std::move(run), error);
  if (!machine) throw std::runtime_error("cannot open the test machine: " + error);
  return machine;
}

fs::path TestMachine::HostPath(const std::string& windows_path) {
  const auto host = machine_->files().HostPathOf(windows_path);
  if (!host) throw std::runtime_error("not a path of the test machine: " + windows_path);
  return *host;
}

fs::path TestMachine::PlaceFor(const std::string& windows_path) {
  // The machine finds each folder once the one above it exists.
  for (std::size_t slash = windows_path.find('\\', 3); slash != std::string::npos;
       slash = windows_path.find('\\', slash + 1))
    fs::create_directory(HostPath(windows_path.substr(0, slash)));
  return HostPath(windows_path);
}

// The drive counts its bytes as the seam writes them: a write past the seam
// has it count again.
void TestMachine::Recount(const std::string& windows_path) {
  machine_->files().FreeSpace(windows_path.substr(0, 3));
}

void TestMachine::WriteFile(const std::string& windows_path, std::string_view bytes) {
  WriteHostText(PlaceFor(windows_path), bytes);
  Recount(windows_path);
}

void TestMachine::WriteSizedFile(const std::string& windows_path, std::uintmax_t size) {
  const fs::path host = PlaceFor(windows_path);
  WriteHostText(host, "");
  fs::resize_file(host, size);
  Recount(windows_path);
}

void TestMachine::CopyIn(const fs::path& host_folder, const std::string& windows_folder) {
  for (const fs::directory_entry& entry : fs::directory_iterator(host_folder))
    if (entry.is_regular_file())
      WriteFile(windows_folder + "\\" + entry.path().filename().string(), ReadHostText(entry.path()));
}

std::string TestMachine::ReadFile(const std::string& windows_path) {
  const auto host = machine_->files().HostPathOf(windows_path);
  return host ? ReadHostText(*host) : std::string();
}

std::string TestMachine::Transcript() const { return ReadHostText(folder_ / "transcript.log"); }

std::string TestMachine::Journal() const { return ReadHostText(folder_ / "journal.log"); }

}  // namespace tvx::testing
