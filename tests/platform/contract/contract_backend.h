// The backend under a contract test: the simulated machine on the host,
// the real Win32 API under Wine. The same test sources run on both.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>

#include <memory>
#include <string>

#include "platform/platform.h"

namespace tvx::testing {

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual Platform& platform() = 0;
  // An empty folder on a fixed drive, made for one test and removed after.
  virtual const std::string& scratch() const = 0;
  // True on the real API (Wine), where a test documents a difference.
  virtual bool real_api() const = 0;
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

  void WriteText(const std::string& path, const std::string& text) {
    OpenResult opened = files().Open(path, OpenMode::CreateAlways);
    ASSERT_TRUE(opened.file) << path << ": " << FileErrorName(opened.error);
    ASSERT_EQ(opened.file->Write(text), FileError::None);
  }

  std::string ReadText(const std::string& path) {
    std::string contents;
    const FileError error = ReadWholeFileForTest(path, contents);
    if (error == FileError::None) return contents;
    std::string failure = "<";  // built in steps: GCC 12 warns wrongly on "<" + std::string
    failure += FileErrorName(error);
    return failure + ">";
  }

  bool Exists(const std::string& path) { return files().Attributes(path).has_value(); }

  // True on the simulated machine. Under Wine it prints and records why the
  // real API is not held to the check that follows, so the difference is
  // visible in every run rather than skipped in silence.
  bool HeldToWindowsRule(const char* wine_difference) {
    if (!real_api()) return true;
    RecordProperty("wine_difference", wine_difference);
    std::printf("[ WINE     ] %s\n", wine_difference);
    return false;
  }

 private:
  FileError ReadWholeFileForTest(const std::string& path, std::string& contents);

  std::unique_ptr<ContractBackend> backend_;
};

}  // namespace tvx::testing
