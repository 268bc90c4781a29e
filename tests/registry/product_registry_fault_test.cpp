// A save interrupted at any byte or step, by a full disk or by a crash,
// leaves a registry that lists every product.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/forwarding_file_system.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"
#include "registry/registry_machine.h"

namespace tvx::testing {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kOldText =
    "[SYSTEM]\r\nCD ROM Speed=8\r\n\r\n[INSTALLED PRODUCTS]\r\nZephra\r\nOther\r\n\r\n"
    "[Zephra]\r\nDirectory=C:\\Zephra\\\r\nConfiguration=0\r\n\r\n[Other]\r\nDirectory=D:\\Other\\\r\n";

// What a save has to write: one more product and one removed key.
void Edit(ProductRegistryFile& registry) {
  registry.WriteString("INSTALLED PRODUCTS", "Third", "");
  registry.WriteString("Third", "Directory", "C:\\Third\\");
  registry.WriteLong("Third", "Configuration", 1);
  registry.DeleteKey("Zephra", "Configuration");
}

std::string NewText() {
  RegistryProcessState state;
  ProductRegistryFile registry(state, kOldText);
  Edit(registry);
  return registry.Text();
}

class ProductRegistryFaultTest : public RegistryMachineTest {
 protected:
  void StartFromOldFiles() {
    std::filesystem::remove(machine_.HostPath(kTmpPath));
    Write(kIniPath, kOldText);
    Write(kBakPath, kOldText);
  }

  // What the next run finds: the old or the new contents, whole.
  void ExpectOldOrNew(const std::string& new_text) {
    const std::string ini = Read(kIniPath);
    if (Exists(kIniPath)) {
      EXPECT_TRUE(ini == kOldText || ini == new_text) << ini;
    }
    const Names products = ListInstalledProducts(files(), state_);
    const bool old_list = products == Names{"Zephra", "Other"};
    const bool new_list = products == Names{"Third", "Zephra", "Other"};
    EXPECT_TRUE(old_list || new_list) << ::testing::PrintToString(products);
  }
};

// Regression: the save truncated "tvx.ini" and rewrote it in place, so a
// full disk left a part of the file that the next load took as valid.
TEST_F(ProductRegistryFaultTest, AFullDiskAtAnyByteOfASaveLeavesTheOldOrTheNewFile) {
  const std::string new_text = NewText();
  bool saved_both = false;
  for (std::uint64_t free_bytes = 0; !saved_both; ++free_bytes) {
    SCOPED_TRACE("free bytes: " + std::to_string(free_bytes));
    ASSERT_LE(free_bytes, 2 * new_text.size() + 1);
    StartFromOldFiles();
    LeaveFreeBytes(free_bytes);
    bool saved = false;
    {
      ProductRegistryFile registry(files(), state_);
      Edit(registry);
      saved = registry.Save();
    }
    EXPECT_EQ(saved, Read(kIniPath) == new_text);
    EXPECT_FALSE(Exists(kTmpPath));
    const std::string bak = Read(kBakPath);
    EXPECT_TRUE(bak == kOldText || bak == new_text);
    saved_both = bak == new_text;
    ExpectOldOrNew(new_text);
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

// Stops the machine after a number of changes, as a crash or a power cut
// would: every later change is dropped. The crashing write lands in part.
class CrashingFileSystem : public ForwardingFileSystem {
 public:
  CrashingFileSystem(FileSystem& inner, int changes_left, bool two_step_rename)
      : ForwardingFileSystem(inner), changes_left_(changes_left), two_step_rename_(two_step_rename) {}

  bool crashed() const { return changes_left_ < 0; }

  OpenResult Open(std::string_view path, OpenMode mode) override {
    if (mode != OpenMode::Read && !Change()) return {nullptr, FileError::IoError};
    OpenResult opened = inner().Open(path, mode);
    if (opened.file) opened.file = std::make_unique<CrashingFile>(*this, std::move(opened.file));
    return opened;
  }
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override {
    return Change() ? inner().SetAttributes(path, attributes) : FileError::IoError;
  }
  FileError MakeDirectory(std::string_view path) override {
    return Change() ? inner().MakeDirectory(path) : FileError::IoError;
  }
  FileError RemoveEmptyDirectory(std::string_view path) override {
    return Change() ? inner().RemoveEmptyDirectory(path) : FileError::IoError;
  }
  FileError RemoveFile(std::string_view path) override {
    return Change() ? inner().RemoveFile(path) : FileError::IoError;
  }
  FileError Rename(std::string_view from, std::string_view to, bool replace_existing) override {
    // Windows 95 and 98 have no one-step replace: the target goes first.
    if (two_step_rename_ && replace_existing && inner().Attributes(to)) {
      if (!Change()) return FileError::IoError;
      inner().RemoveFile(to);
    }
    return Change() ? inner().Rename(from, to, replace_existing) : FileError::IoError;
  }

 private:
  class CrashingFile : public File {
   public:
    CrashingFile(CrashingFileSystem& owner, std::unique_ptr<File> inner)
        : owner_(owner), inner_(std::move(inner)) {}
    ReadResult Read(std::span<char> buffer) override { return inner_->Read(buffer); }
    FileError Write(std::string_view data) override {
      if (owner_.Change()) return inner_->Write(data);
      if (owner_.changes_left_ == -1) inner_->Write(data.substr(0, data.size() / 2));
      return FileError::IoError;
    }
    bool Seek(std::int64_t offset) override { return inner_->Seek(offset); }
    bool Skip(std::int64_t distance) override { return inner_->Skip(distance); }
    std::uint64_t Length() override { return inner_->Length(); }
    FileError Flush() override { return owner_.Change() ? inner_->Flush() : FileError::IoError; }

   private:
    CrashingFileSystem& owner_;
    std::unique_ptr<File> inner_;
  };

  bool Change() { return --changes_left_ >= 0; }

  int changes_left_;
  bool two_step_rename_;
};

TEST_F(ProductRegistryFaultTest, ACrashAtAnyStepOfASaveLeavesEveryProductListed) {
  const std::string new_text = NewText();
  for (const bool two_step_rename : {false, true}) {
    bool finished = false;
    for (int changes = 0; !finished; ++changes) {
      SCOPED_TRACE((two_step_rename ? "two-step rename, " : "one-step rename, ") + std::to_string(changes) +
                   " changes before the crash");
      ASSERT_LT(changes, 100);
      StartFromOldFiles();
      CrashingFileSystem crashing(files(), changes, two_step_rename);
      {
        ProductRegistryFile registry(crashing, state_);
        Edit(registry);
        registry.Save();
      }
      finished = !crashing.crashed();
      ExpectOldOrNew(new_text);
      if (finished) {
        EXPECT_EQ(Read(kBakPath), new_text);
      }
      if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tvx::testing
