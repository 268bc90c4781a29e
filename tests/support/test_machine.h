// A fresh simulated machine in a temporary folder, removed afterwards.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

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
  std::filesystem::path HostPath(const std::string& windows_path) {
    return *machine_->files().HostPathOf(windows_path);
  }
  std::string Transcript() const;
  std::string Journal() const;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<host::SimulatedMachine> machine_;
};

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
void WriteHostText(const std::filesystem::path& path, const std::string& text);

}  // namespace tvx::testing
