// A simulated machine with the common folder made, for the product
// registry's tests that touch "tvx.ini" and "tvx.bak".
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/file_services.h"
#include "registry/product_registry_file.h"
#include "support/seam_files.h"
#include "support/test_machine.h"

namespace tvx::testing {

inline constexpr const char* kIniPath = "C:\\WINDOWS\\Tarvex\\tvx.ini";
inline constexpr const char* kBakPath = "C:\\WINDOWS\\Tarvex\\tvx.bak";
inline constexpr const char* kTmpPath = "C:\\WINDOWS\\Tarvex\\tvx.tmp";

class RegistryMachineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirectoryChain(files(), "C:\\WINDOWS\\Tarvex")); }

  FileSystem& files() { return machine_.platform().files; }
  bool Exists(const char* path) { return testing::Exists(files(), path); }
  std::string Read(const char* path) { return machine_.ReadFile(path); }
  void Write(const char* path, const std::string& text) { machine_.WriteFile(path, text); }

  // Fills drive C: with a sparse file so that exactly the given number of
  // bytes can still be written.
  void LeaveFreeBytes(std::uint64_t free_bytes) {
    files().RemoveFile("C:\\filler.bin");
    const std::uint64_t free_now = files().FreeSpace("C:\\")->free_bytes;
    ASSERT_GE(free_now, free_bytes);
    machine_.WriteSizedFile("C:\\filler.bin", free_now - free_bytes);
    ASSERT_EQ(files().FreeSpace("C:\\")->free_bytes, free_bytes);
  }

  TestMachine machine_;
  RegistryProcessState state_;
};

}  // namespace tvx::testing
