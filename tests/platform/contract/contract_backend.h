// The backend under a contract test: the simulated machine on the host,
// the real Win32 API under Wine. The same test sources run on both.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "support/seam_files.h"

namespace tvx::testing {

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual Platform& platform() = 0;
  // An empty folder on a fixed drive, made for one test and removed after.
  virtual const std::string& scratch() const = 0;
  // True on the real API (Wine), where a test holds Wine to what it does.
  virtual bool real_api() const = 0;
  // Under Wine, whether it runs as Unix root, whose writes pass the file
  // permissions that Wine keeps read-only in.
  virtual bool unix_root() const = 0;
  // The file name of a program that runs while the test does.
  virtual std::string RunningProgram() const = 0;
  // What lnkinfo, an independent reader of shortcut files, prints for the
  // file; nullopt when it cannot be run.
  virtual std::optional<std::string> Lnkinfo(const std::string& windows_path) = 0;
};

std::unique_ptr<ContractBackend> MakeContractBackend();

class SeamTest : public ::testing::Test {
 protected:
  void SetUp() override { backend_ = MakeContractBackend(); }

  FileSystem& files() { return backend_->platform().files; }
  Registry& registry() { return backend_->platform().registry; }
  Shell& shell() { return backend_->platform().shell; }
  System& system() { return backend_->platform().system; }
  bool real_api() const { return backend_->real_api(); }
  // A path inside the scratch folder.
  std::string At(const std::string& relative) const { return backend_->scratch() + "\\" + relative; }
  const std::string& scratch() const { return backend_->scratch(); }
  std::string RunningProgram() const { return backend_->RunningProgram(); }
  std::optional<std::string> Lnkinfo(const std::string& path) { return backend_->Lnkinfo(path); }

  bool Exists(const std::string& path) { return testing::Exists(files(), path); }

  // The answer the backend is held to: Windows' on the simulated machine,
  // Wine's under Wine. Where they differ Wine's is printed and recorded, so
  // every run shows the difference and a Wine that changes fails the test.
  template <typename T>
  T WindowsOrWine(const T& windows, const T& wine, const char* wine_difference) {
    if (!real_api()) return windows;
    if (!(wine == windows)) {
      RecordProperty("wine_difference", wine_difference);
      std::printf("[ WINE     ] %s\n", wine_difference);
    }
    return wine;
  }

  // Whether a read-only file refuses to be opened for writing.
  bool ReadOnlyRefusesWriting() {
    return WindowsOrWine(true, !backend_->unix_root(),
                         "Wine maps read-only to Unix permissions, which root (as in CI) bypasses when "
                         "opening for writing");
  }

 private:
  std::unique_ptr<ContractBackend> backend_;
};

}  // namespace tvx::testing
