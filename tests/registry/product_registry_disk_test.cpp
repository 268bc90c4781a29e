// The product registry on a simulated machine: load, restore from the
// backup, save, and what a failed save leaves.
#include <gtest/gtest.h>

#include "registry/installed_products.h"
#include "registry/product_registry_file.h"
#include "registry/registry_machine.h"

namespace tvx::testing {
namespace {

constexpr const char* kTwoProducts =
    "[SYSTEM]\r\nCD ROM Speed=8\r\n\r\n[INSTALLED PRODUCTS]\r\nZephra\r\nOther\r\n\r\n"
    "[Zephra]\r\nDirectory=C:\\Zephra\\\r\n";

class ProductRegistryDiskTest : public RegistryMachineTest {};

TEST_F(ProductRegistryDiskTest, AMissingRegistryIsRestoredFromTheBackup) {
  Write(kBakPath, kTwoProducts);
  {
    ProductRegistryFile registry(files(), state_);
    EXPECT_EQ(registry.CountEntries("INSTALLED PRODUCTS"), 2);
  }
  EXPECT_EQ(Read(kIniPath), kTwoProducts);
  {
    ProductRegistryFile registry(files(), state_);
    EXPECT_EQ(registry.WriteString("Zephra", "Language", "English"), kWriteStored);
  }
  EXPECT_EQ(Read(kIniPath), Read(kBakPath));
  EXPECT_NE(Read(kIniPath).find("Language=English\r\n"), std::string::npos);
  EXPECT_FALSE(Exists(kTmpPath));
}

TEST_F(ProductRegistryDiskTest, WithoutEitherFileTheRegistryIsEmptyAndASaveCreatesBoth) {
  ProductRegistryFile registry(files(), state_);
  std::string value;
  EXPECT_FALSE(registry.ReadString("SYSTEM", "CD ROM Speed", value));
  EXPECT_EQ(registry.WriteSystemLong("CD ROM Speed", 24), kWriteSectionCreated);
  EXPECT_TRUE(registry.Save());
  EXPECT_EQ(Read(kIniPath), "[SYSTEM]\r\nCD ROM Speed=24\r\n");
  EXPECT_EQ(Read(kBakPath), Read(kIniPath));
  // A saved object is spent: it finds nothing and writes nothing more.
  EXPECT_FALSE(registry.loaded());
  EXPECT_FALSE(registry.FindSection("SYSTEM"));
  EXPECT_EQ(registry.WriteSystemLong("CD ROM Speed", 1), kWriteFailed);
  EXPECT_FALSE(registry.Save());
}

TEST_F(ProductRegistryDiskTest, DestructionSavesOnlyWhatChanged) {
  // Not in the save layout: an untouched file keeps its bytes.
  const std::string unusual = "[Zephra]\nA=1\n\n\n[SYSTEM]\nx=1";
  Write(kIniPath, unusual);
  { ProductRegistryFile registry(files(), state_); }
  EXPECT_EQ(Read(kIniPath), unusual);
  EXPECT_FALSE(Exists(kBakPath));
  {
    ProductRegistryFile registry(files(), state_);
    EXPECT_TRUE(registry.DeleteKey("Zephra", "A"));
  }
  EXPECT_EQ(Read(kIniPath), "[SYSTEM]\r\nx=1\r\n");
  EXPECT_EQ(Read(kBakPath), Read(kIniPath));
}

TEST_F(ProductRegistryDiskTest, ASaveThatCannotWriteLeavesBothFilesAsTheyWere) {
  Write(kIniPath, kTwoProducts);
  Write(kBakPath, "backup");
  std::filesystem::permissions(machine_.HostPath(kIniPath), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ProductRegistryFile registry(files(), state_);
  registry.WriteString("Zephra", "Language", "English");
  EXPECT_FALSE(registry.Save());
  EXPECT_TRUE(registry.loaded());
  EXPECT_EQ(Read(kIniPath), kTwoProducts);
  EXPECT_EQ(Read(kBakPath), "backup");
  EXPECT_FALSE(Exists(kTmpPath));
}

TEST_F(ProductRegistryDiskTest, WithoutTheCommonFolderASaveFailsAndCreatesNothing) {
  files().RemoveEmptyDirectory("C:\\WINDOWS\\Tarvex");
  ProductRegistryFile registry(files(), state_);
  registry.WriteSystemLong("CD ROM Speed", 8);
  EXPECT_FALSE(registry.Save());
  EXPECT_FALSE(Exists("C:\\WINDOWS\\Tarvex"));
}

TEST_F(ProductRegistryDiskTest, AReadOnlyBackupIsStillRefreshed) {
  Write(kIniPath, kTwoProducts);
  Write(kBakPath, "stale");
  files().SetAttributes(kBakPath, attribute::kReadOnly);
  {
    ProductRegistryFile registry(files(), state_);
    registry.WriteString("Other", "Directory", "D:\\Other\\");
  }
  EXPECT_EQ(Read(kBakPath), Read(kIniPath));
}

TEST_F(ProductRegistryDiskTest, ABackupThatCannotBeRestoredIsStillRead) {
  // Regression: when the copy back failed the registry loaded empty, and
  // the next save overwrote both files without the recorded products.
  Write(kBakPath, kTwoProducts);
  LeaveFreeBytes(10);
  EXPECT_EQ(ListInstalledProducts(files(), state_), (std::vector<std::string>{"Zephra", "Other"}));
  EXPECT_FALSE(Exists(kIniPath));
  EXPECT_FALSE(Exists(kTmpPath));
}

}  // namespace
}  // namespace tvx::testing
