// The uninstall entry on the real registry: Wine's list of programs shows
// it, "reg query" reads its values, and it goes again with the product.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "install/uninstall_entry.h"
#include "platform/file_services.h"
#include "platform/win32/win32_platform.h"

namespace tvx {
namespace {

constexpr const char* kProduct = "Zephra Entry Test";

// What a command of the prefix prints.
std::string Output(const std::string& command) {
  std::string text;
  FILE* pipe = _popen(command.c_str(), "r");
  if (!pipe) return text;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
  _pclose(pipe);
  return text;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Win32UninstallEntryTest, TheListOfProgramsShowsTheEntryUntilItIsUnregistered) {
  win32::Win32Platform real;
  Platform& platform = real.platform();
  const std::string windows = WindowsDirectory(platform.files);
  RegisterProduct(
      platform, {kProduct, "1.02", "C:\\Games\\Zephra Entry\\", 2048, "C:\\Games\\Zephra Entry\\Zephra.exe"});
  EXPECT_TRUE(Contains(Output("uninstaller.exe --list"), std::string("|||") + kProduct));
  const std::string key = std::string("HKLM\\") + kUninstallListKey + "\\" + kProduct;
  const std::string values = Output("reg.exe query \"" + key + "\"");
  const char* expected[] = {"DisplayVersion    REG_SZ    1.02",
                            "InstallLocation    REG_SZ    C:\\Games\\Zephra Entry\\",
                            "DisplayIcon    REG_SZ    C:\\Games\\Zephra Entry\\Zephra.exe",
                            "EstimatedSize    REG_DWORD    0x800",
                            "NoModify    REG_DWORD    0x1",
                            "NoRepair    REG_DWORD    0x1"};
  for (const char* line : expected) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(Contains(values, line)) << values;
  }
  EXPECT_TRUE(Contains(values, "UninstallString    REG_SZ    \"" + windows +
                                   "\\Tarvex\\SetupTvx.exe\" -uninstall " + kProduct))
      << values;
  // Counted without its terminating zero, as the entry is written.
  RegistryValue name;
  ASSERT_EQ(
      platform.registry.QueryValue(RegistryRoot::LocalMachine,
                                   std::string(kUninstallListKey) + "\\" + kProduct, "DisplayName", name),
      registry_status::kSuccess);
  EXPECT_EQ(name.Text(), kProduct);

  RegistryProcessState state;
  UnregisterProduct(platform, state, kProduct);
  EXPECT_FALSE(Contains(Output("uninstaller.exe --list"), kProduct));
  EXPECT_FALSE(Contains(Output("reg.exe query \"HKLM\\software\\Tarvex\" /s"), kProduct));
  EXPECT_EQ(
      platform.registry.OpenKey(RegistryRoot::LocalMachine, std::string(kUninstallListKey) + "\\" + kProduct),
      registry_status::kFileNotFound);
}

}  // namespace
}  // namespace tvx
