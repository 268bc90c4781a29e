// The registry primitives of the seam, on both backends.
#include "platform/contract/contract_backend.h"
#include "platform/path_text.h"

namespace tvx::testing {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;

class RegistryTest : public SeamTest {
 protected:
  void SetUp() override {
    SeamTest::SetUp();
    key_ = "Software\\TvxContract\\" + std::string(AfterLastBackslash(scratch()));
    ASSERT_EQ(registry().CreateKey(kMachine, key_), registry_status::kSuccess);
  }
  void TearDown() override { DeleteTree(key_); }

  void DeleteTree(const std::string& path) {
    for (const std::string& child : registry().SubkeyNames(kMachine, path)) DeleteTree(path + "\\" + child);
    registry().DeleteKey(kMachine, path);
  }

  std::string Key(const std::string& sub = "") const { return sub.empty() ? key_ : key_ + "\\" + sub; }

 private:
  std::string key_;
};

TEST_F(RegistryTest, ValuesKeepTheirTypeAndExactBytes) {
  struct Row {
    const char* name;
    RegistryValue value;
  };
  const Row rows[] = {
      {"Directory", RegistryValue::String("C:\\Tarvex\\Zephra\\")},
      {"", RegistryValue::String("default value")},
      {"SW_XRegionSize", RegistryValue::String("32")},
      {"Count", RegistryValue::Dword(0xDEADBEEF)},
      {"Bytes", RegistryValue{RegistryType::Binary, std::string("\0\x01\xFF", 3)}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(registry().SetValue(kMachine, Key(), row.name, row.value), registry_status::kSuccess);
    RegistryValue read;
    ASSERT_EQ(registry().QueryValue(kMachine, Key(), row.name, read), registry_status::kSuccess);
    EXPECT_EQ(read, row.value);
  }
  RegistryValue read;
  ASSERT_EQ(registry().QueryValue(kMachine, Key(), "directory", read), registry_status::kSuccess);
  EXPECT_EQ(read.Text(), "C:\\Tarvex\\Zephra\\");
  EXPECT_EQ(read.data.size(), 18u);  // with its terminating zero
}

TEST_F(RegistryTest, AStringWithoutTerminatorKeepsItsBytesOnTheSimulatedMachine) {
  const RegistryValue bare{RegistryType::String, "abc"};
  ASSERT_EQ(registry().SetValue(kMachine, Key(), "Bare", bare), registry_status::kSuccess);
  RegistryValue read;
  ASSERT_EQ(registry().QueryValue(kMachine, Key(), "Bare", read), registry_status::kSuccess);
  EXPECT_EQ(read.Text(), "abc");
  const RegistryValue terminated{RegistryType::String, std::string("abc\0", 4)};
  EXPECT_EQ(read, WindowsOrWine(bare, terminated,
                                "Wine stores an ANSI string given without its zero with one added"));
}

TEST_F(RegistryTest, KeysAreFoundWithoutRegardToCase) {
  ASSERT_EQ(registry().CreateKey(kMachine, Key("Sub\\Deeper")), registry_status::kSuccess);
  EXPECT_EQ(registry().OpenKey(kMachine, Key("SUB\\deeper")), registry_status::kSuccess);
  EXPECT_EQ(registry().OpenKey(kMachine, Key("missing")), registry_status::kFileNotFound);
  EXPECT_EQ(registry().SubkeyNames(kMachine, Key()), std::vector<std::string>{"Sub"});
}

TEST_F(RegistryTest, DeletingNeedsALeafKeyAndAnExistingValue) {
  ASSERT_EQ(registry().CreateKey(kMachine, Key("A\\B")), registry_status::kSuccess);
  EXPECT_NE(registry().DeleteKey(kMachine, Key("A")), registry_status::kSuccess);
  EXPECT_EQ(registry().DeleteKey(kMachine, Key("A\\B")), registry_status::kSuccess);
  EXPECT_EQ(registry().DeleteKey(kMachine, Key("A")), registry_status::kSuccess);
  EXPECT_EQ(registry().DeleteKey(kMachine, Key("A")), registry_status::kFileNotFound);

  ASSERT_EQ(registry().SetValue(kMachine, Key(), "V", RegistryValue::Dword(1)), registry_status::kSuccess);
  EXPECT_EQ(registry().ValueNames(kMachine, Key()), std::vector<std::string>{"V"});
  EXPECT_EQ(registry().DeleteValue(kMachine, Key(), "v"), registry_status::kSuccess);
  EXPECT_EQ(registry().DeleteValue(kMachine, Key(), "V"), registry_status::kFileNotFound);
  RegistryValue read;
  EXPECT_EQ(registry().QueryValue(kMachine, Key(), "V", read), registry_status::kFileNotFound);
}

TEST_F(RegistryTest, ValuesNeedAnExistingKey) {
  EXPECT_EQ(registry().SetValue(kMachine, Key("absent"), "V", RegistryValue::Dword(1)),
            registry_status::kFileNotFound);
  EXPECT_EQ(registry().Flush(kMachine), registry_status::kSuccess);
}

}  // namespace
}  // namespace tvx::testing
