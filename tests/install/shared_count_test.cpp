// The SharedDLLs counts up and down on the simulated machine's registry.
#include <gtest/gtest.h>

#include "install/shared_count.h"
#include "support/recording_ui.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr const char* kLibrary = "C:\\WINDOWS\\SYSTEM\\SHARED.DLL";
constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;

class SharedCountTest : public ::testing::Test {
 protected:
  Registry& registry() { return machine_.platform().registry; }
  void Set(const RegistryValue& value) {
    ASSERT_EQ(registry().SetValue(kRoot, kSharedDllsKey, kLibrary, value), 0);
  }
  std::optional<RegistryValue> Get() {
    RegistryValue value;
    if (registry().QueryValue(kRoot, kSharedDllsKey, kLibrary, value) != 0) return std::nullopt;
    return value;
  }
  bool Decrement() {
    return DecrementSharedCount(registry(), ui_, kSharedDllsKey, kLibrary, "text 130 SHARED.DLL", "text 131");
  }

  TestMachine machine_;
  RecordingUi ui_;
};

TEST_F(SharedCountTest, AnIncrementAddsOneKeepingTheValuesType) {
  RegistryValue binary{RegistryType::Binary, std::string("\x02\x00\x00\x00", 4)};
  RegistryValue short_dword{RegistryType::Dword, std::string("\x05", 1)};
  RegistryValue too_long{RegistryType::String, "seven\0"};
  struct Row {
    const char* label;
    std::optional<RegistryValue> before;
    RegistryValue after;
  } rows[] = {
      {"none yet", std::nullopt, RegistryValue::Dword(1)},
      {"a dword", RegistryValue::Dword(41), RegistryValue::Dword(42)},
      {"binary, four bytes", binary, {RegistryType::Binary, std::string("\x03\x00\x00\x00", 4)}},
      {"shorter than four bytes", short_dword, RegistryValue::Dword(6)},
      {"longer than four bytes: started again", too_long, RegistryValue::Dword(1)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    registry().DeleteValue(kRoot, kSharedDllsKey, kLibrary);
    if (row.before) Set(*row.before);
    IncrementSharedCount(registry(), ui_, kSharedDllsKey, kLibrary);
    EXPECT_EQ(Get(), row.after);
  }
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(SharedCountTest, ACountThatCannotBeCreatedIsReported) {
  auto machine = MachineWith(R"({"os": {"platform": 2, "major": 4, "minor": 0, "service": ""},
                                 "administrator": false})");
  IncrementSharedCount(machine->platform().registry, ui_, kSharedDllsKey, kLibrary);
  ASSERT_EQ(ui_.Texts(), std::vector<std::string>{std::string("Can't register ") + kLibrary});
  EXPECT_EQ(ui_.boxes[0].caption, "");
}

TEST_F(SharedCountTest, TheLastUserIsAskedWhetherTheFileMayGoDefaultNo) {
  struct Row {
    const char* label;
    std::optional<RegistryValue> before;
    std::optional<RegistryValue> after;
    bool asked;
  } rows[] = {
      {"other users remain", RegistryValue::Dword(3), RegistryValue::Dword(2), false},
      {"the last user", RegistryValue::Dword(1), RegistryValue::Dword(0), true},
      // Regression: a count kept at 0 wrapped round to 0xFFFFFFFF users.
      {"a count kept at 0", RegistryValue::Dword(0), RegistryValue::Dword(0), true},
      {"no count at all", std::nullopt, std::nullopt, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    registry().DeleteValue(kRoot, kSharedDllsKey, kLibrary);
    ui_.boxes.clear();
    if (row.before) Set(*row.before);
    // RecordingUi answers OK, which is no Yes: the file stays.
    EXPECT_FALSE(Decrement());
    EXPECT_EQ(Get(), row.after);
    ASSERT_EQ(ui_.boxes.size(), row.asked ? 1u : 0u);
    if (!row.asked) continue;
    EXPECT_EQ(ui_.boxes[0].text, "text 130 SHARED.DLL");
    EXPECT_EQ(ui_.boxes[0].caption, "text 131");
    EXPECT_EQ(ui_.boxes[0].style & box::kButtonMask, box::kYesNo);
    EXPECT_EQ(ui_.boxes[0].style & box::kDefaultButtonMask, box::kDefaultButton2);
  }
}

TEST_F(SharedCountTest, UnattendedTheLastUserKeepsTheLibrary) {
  // The simulated machine without answers presses the default button.
  Platform& platform = machine_.platform();
  Set(RegistryValue::Dword(1));
  EXPECT_FALSE(DecrementSharedCount(platform.registry, platform.ui, kSharedDllsKey, kLibrary, "q", "c"));
  EXPECT_NE(machine_.Transcript().find("answer=IDNO from=default"), std::string::npos)
      << machine_.Transcript();
  EXPECT_EQ(Get(), RegistryValue::Dword(0));
}

TEST_F(SharedCountTest, AYesLetsTheFileGoAndItsCountGoesWithIt) {
  TestMachine::Options options;
  options.answers = "box IDYES caption=\"c\" text~\"q\"\n";
  TestMachine machine(options);
  Platform& platform = machine.platform();
  ASSERT_EQ(platform.registry.SetValue(kRoot, kSharedDllsKey, kLibrary, RegistryValue::Dword(1)), 0);
  EXPECT_TRUE(DecrementSharedCount(platform.registry, platform.ui, kSharedDllsKey, kLibrary, "q", "c"));
  RegistryValue value;
  EXPECT_EQ(platform.registry.QueryValue(kRoot, kSharedDllsKey, kLibrary, value), 0);
  ForgetSharedCount(platform.registry, kSharedDllsKey, kLibrary);
  EXPECT_EQ(platform.registry.QueryValue(kRoot, kSharedDllsKey, kLibrary, value), 2);
  EXPECT_TRUE(machine.machine().ui().AnswerProblems().empty());
}

TEST_F(SharedCountTest, WithoutTheKeyNothingChanges) {
  ASSERT_EQ(registry().DeleteKey(kRoot, kSharedDllsKey), 0);
  IncrementSharedCount(registry(), ui_, kSharedDllsKey, kLibrary);
  EXPECT_FALSE(Decrement());
  EXPECT_EQ(registry().OpenKey(kRoot, kSharedDllsKey), 2);
  EXPECT_TRUE(ui_.boxes.empty());
}

}  // namespace
}  // namespace tvx::testing

namespace tvx::testing {
namespace {

// A library a copy could not finish is not on disk: its count goes down
// without a question and disappears at 0.
TEST_F(SharedCountTest, ALibraryNoLongerOnDiskCountsDownWithoutAQuestion) {
  Set(RegistryValue::Dword(2));
  DropSharedCount(registry(), kSharedDllsKey, kLibrary);
  ASSERT_TRUE(Get());
  EXPECT_EQ(*Get(), RegistryValue::Dword(1));
  DropSharedCount(registry(), kSharedDllsKey, kLibrary);
  EXPECT_FALSE(Get());
  EXPECT_TRUE(ui_.Texts().empty());
}

}  // namespace
}  // namespace tvx::testing
