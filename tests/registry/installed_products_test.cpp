// Reading installed products back: the list and where their data lies.
#include "registry/installed_products.h"

#include <gtest/gtest.h>

#include "registry/registry_machine.h"

namespace tvx::testing {
namespace {

class InstalledProductsTest : public RegistryMachineTest {};

TEST_F(InstalledProductsTest, TheListHoldsEveryLineOfTheSectionInFileOrder) {
  EXPECT_TRUE(ListInstalledProducts(files(), state_).empty());
  Write(kIniPath,
        "[installed products]\r\nZephra\r\n// removed once\r\nZephra Gold=odd\r\n\r\n"
        "[Zephra]\r\nDirectory=C:\\Zephra\\\r\n");
  EXPECT_EQ(ListInstalledProducts(files(), state_), (std::vector<std::string>{"Zephra", "Zephra Gold=odd"}));
  EXPECT_FALSE(state_.enumeration_running);
}

TEST_F(InstalledProductsTest, InstallDataAndScriptComeFromTheProductsDirectory) {
  Write(kIniPath,
        "[Zephra]\r\nDirectory=C:\\Games\\Zephra\\\r\nVolumeName=ZEPHRA\r\n[Bare]\r\nDirectory\r\n"
        "[Zephra Gold]\r\nLanguage=English\r\n");
  const struct {
    const char* product;
    const char* install_data;
    std::optional<std::string> script;
  } rows[] = {
      {"Zephra", "C:\\Games\\Zephra\\InstData", "C:\\Games\\Zephra\\InstData\\tvx.ins"},
      {"zephra", "C:\\Games\\Zephra\\InstData", "C:\\Games\\Zephra\\InstData\\tvx.ins"},
      // "[zephra gold]" is found first, and has no "Directory".
      {"Zephra Gold", "D:\\InstData", std::nullopt},
      {"Bare", "D:\\InstData", std::nullopt},
      {"Missing", "D:\\InstData", std::nullopt},
      {"", "D:\\InstData", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.product);
    EXPECT_EQ(ProductInstallDataDirectory(files(), state_, row.product), row.install_data);
    EXPECT_EQ(ProductScriptPath(files(), state_, row.product), row.script);
  }
  EXPECT_EQ(RecordedVolumeName(files(), state_, "Zephra"), "ZEPHRA");
  EXPECT_EQ(RecordedVolumeName(files(), state_, "Zephra Gold"), std::nullopt);
}

}  // namespace
}  // namespace tvx::testing
