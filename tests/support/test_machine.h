// A fresh simulated machine in a temporary folder, removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host/simulated_machine.h"

namespace tvx::testing {

// A Windows 98 machine: C: fixed with 1 GiB, D: a CD-ROM labelled ZEPHRA.
std::string DefaultProfileJson();
// A profile from examples/machines.
std::filesystem::path ExampleProfile(const std::string& name);
// The sample product's disc, examples/disc.
std::filesystem::path SampleDisc();

class TestMachine {
 public:
  struct Options {
    std::string profile_json = DefaultProfileJson();
    std::filesystem::path profile_file;         // wins over profile_json when set
    std::optional<std::filesystem::path> disc;  // becomes the first CD-ROM's contents
    host::RunOptions run;
    std::string answers;  // answer script text; empty: default buttons
  };

  TestMachine();
  explicit TestMachine(Options options);
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  // Opens the machine (again): a new process's view of the same folder.
  std::unique_ptr<host::SimulatedMachine> Open(host::RunOptions run = {}) const;

  host::SimulatedMachine& machine() { return *machine_; }
  Platform& platform() { return machine_->platform(); }
  const std::filesystem::path& folder() const { return folder_; }
  // Where the machine itself keeps a Windows path, found without regard to
  // case; the path's folders must exist.
  std::filesystem::path HostPath(const std::string& windows_path);
  // Puts a file on the machine as a test's setting, making its folders: on
  // a disc or a full drive too, which the seam would refuse.
  void WriteFile(const std::string& windows_path, std::string_view bytes);
  // A file of that many zero bytes, sparse on the host.
  void WriteSizedFile(const std::string& windows_path, std::uintmax_t size);
  // Puts each file of a host folder into a folder of the machine.
  void CopyIn(const std::filesystem::path& host_folder, const std::string& windows_folder);
  // The file's bytes; empty when there is none.
  std::string ReadFile(const std::string& windows_path);
  std::string Transcript() const;
  std::string Journal() const;

 private:
  std::filesystem::path PlaceFor(const std::string& windows_path);
  void Recount(const std::string& windows_path);

  std::filesystem::path folder_;
  std::unique_ptr<host::SimulatedMachine> machine_;
};

// The default profile with a JSON merge patch applied (objects merge,
// arrays and values replace).
std::string PatchedProfile(const std::string& patch_json);
std::unique_ptr<TestMachine> MachineWith(const std::string& patch_json);

// A temporary folder removed with its contents.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadHostText(const std::filesystem::path& path);
void WriteHostText(const std::filesystem::path& path, std::string_view text);

}  // namespace tvx::testing
