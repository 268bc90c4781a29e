// The shell's small services on both backends: wildcards, registry
// defaults, the browser's icon, sizes for display, bringing a program up.
#include "platform/contract/contract_backend.h"
#include "platform/path_text.h"
#include "platform/registry_defaults.h"
#include "platform/wildcard_match.h"
#include "ui/window_placement.h"

namespace tvx::testing {
namespace {

class ShellServicesTest : public SeamTest {
 protected:
  void TearDown() override {
    for (const std::string& key : keys_) registry().DeleteKey(RegistryRoot::ClassesRoot, key);
  }
  // A key of HKEY_CLASSES_ROOT for this test, removed after it.
  void SetDefault(const std::string& key, const std::string& text) {
    keys_.push_back(key);
    ASSERT_EQ(registry().CreateKey(RegistryRoot::ClassesRoot, key), registry_status::kSuccess);
    ASSERT_EQ(registry().SetValue(RegistryRoot::ClassesRoot, key, "", RegistryValue::String(text)),
              registry_status::kSuccess);
  }
  std::vector<std::string> keys_;
};

TEST_F(ShellServicesTest, WildcardsMatchTheWholeName) {
  struct Row {
    std::string pattern;
    std::string text;
    bool exact;
    bool no_case;
  };
  const Row rows[] = {{"", "", true, true},
                      {"*", "", true, true},
                      {"?", "", false, false},
                      {"a", "", false, false},
                      {"", "a", false, false},
                      {"a*", "a", true, true},
                      {"a*", "abc", true, true},
                      {"a*", "ba", false, false},
                      {"*.DLL", "zephra.dll", false, true},
                      {"*.dll", "zephra.dll", true, true},
                      {"ZEPHRA.EXE", "zephra.exe", false, true},
                      {"z?phra.*", "zephra.exe", true, true},
                      {"z?phra.*", "zphra.exe", false, false},
                      {"*a*b", "xaxxb", true, true},
                      {"*a*b", "xaxxbc", false, false},
                      {"a?c", "abcd", false, false},
                      {"**", "anything", true, true},
                      // Only letters fold: "@" is "`" less 32, "[" is "{" less 32.
                      {"@[", "`{", false, false},
                      {"\xC9", "\xE9", false, false},
                      {"*", std::string(5000, 'x'), true, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pattern.substr(0, 20) + " / " + row.text.substr(0, 20));
    EXPECT_EQ(WildcardMatch(row.pattern, row.text), row.exact);
    EXPECT_EQ(WildcardMatchNoCase(row.pattern, row.text), row.no_case);
  }
}

TEST_F(ShellServicesTest, ManyStarsOverALongNameAnswerWithoutBlowingUp) {
  const std::string pattern = std::string(40, '*') + "b";
  EXPECT_FALSE(WildcardMatch(pattern, std::string(4000, 'a')));
  EXPECT_TRUE(WildcardMatch(pattern, std::string(4000, 'a') + "b"));
}

TEST_F(ShellServicesTest, ARegistryDefaultIsReadOrTheTextIsLeftAlone) {
  SetDefault("TvxContractDefault", "Zephra document");
  std::string text = "untouched";
  EXPECT_EQ(ReadRegistryDefault(registry(), RegistryRoot::ClassesRoot, "TvxContractDefault", text),
            registry_status::kSuccess);
  EXPECT_EQ(text, "Zephra document");

  text = "untouched";
  EXPECT_EQ(ReadRegistryDefault(registry(), RegistryRoot::ClassesRoot, "TvxContractMissing", text),
            registry_status::kFileNotFound);
  EXPECT_EQ(text, "untouched");

  // 260 characters with the terminating zero do not fit.
  SetDefault("TvxContractLong", std::string(260, 'x'));
  EXPECT_NE(ReadRegistryDefault(registry(), RegistryRoot::ClassesRoot, "TvxContractLong", text),
            registry_status::kSuccess);
  EXPECT_EQ(text, "untouched");
}

TEST_F(ShellServicesTest, TheBrowserIconIsTheDefaultIconWithoutItsIndex) {
  // The machine's own association is put back afterwards.
  RegistryValue before;
  const bool had = registry().QueryValue(RegistryRoot::ClassesRoot, "http\\DefaultIcon", "", before) ==
                   registry_status::kSuccess;
  struct Row {
    const char* value;
    const char* icon;
  };
  const Row rows[] = {
      {"C:\\Program Files\\Browser\\browse.exe,0", "C:\\Program Files\\Browser\\browse.exe"},
      {"C:\\BROWSE.EXE,-12", "C:\\BROWSE.EXE"},
      {"\"C:\\Program Files\\Browser\\browse.exe\",1", "C:\\Program Files\\Browser\\browse.exe"},
      {"C:\\BROWSE.ICO", "C:\\BROWSE.ICO"},
      {"", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    ASSERT_EQ(registry().CreateKey(RegistryRoot::ClassesRoot, "http\\DefaultIcon"),
              registry_status::kSuccess);
    registry().SetValue(RegistryRoot::ClassesRoot, "http\\DefaultIcon", "", RegistryValue::String(row.value));
    EXPECT_EQ(BrowserIconPath(registry()), row.icon);
  }
  registry().DeleteValue(RegistryRoot::ClassesRoot, "http\\DefaultIcon", "");
  EXPECT_EQ(BrowserIconPath(registry()), "");
  if (had) registry().SetValue(RegistryRoot::ClassesRoot, "http\\DefaultIcon", "", before);
}

TEST_F(ShellServicesTest, SizesShowInTheLargestWholeUnit) {
  const SizeUnits units{"bytes", "KB", "MB"};
  struct Row {
    std::uint64_t blocks;
    const char* text;
  };
  const Row rows[] = {{0, "0 bytes"},    {1, "512 bytes"}, {2, "1 KB"},   {3, "1 KB"},
                      {2047, "1023 KB"}, {2048, "1 MB"},   {4095, "1 MB"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.blocks);
    EXPECT_EQ(FormatBlocks(row.blocks, units), row.text);
  }
}

TEST_F(ShellServicesTest, ARunningProgramIsFoundByItsFileNameInAnyCase) {
  const std::string running = RunningProgram();
  ASSERT_FALSE(running.empty());
  EXPECT_TRUE(shell().BringProcessWindowToFront(running));
  EXPECT_TRUE(shell().BringProcessWindowToFront(AsciiLower(running)));
  EXPECT_FALSE(shell().BringProcessWindowToFront("TvxNotRunning.exe"));
  // The name of the file, not a part of it.
  EXPECT_FALSE(shell().BringProcessWindowToFront(running.substr(1)));
}

}  // namespace
}  // namespace tvx::testing
