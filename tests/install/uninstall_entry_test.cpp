// The product's keys in the system registry on the simulated machine.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/uninstall_entry.h"
#include "support/forwarding_registry.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;
const std::string kEntryKey = std::string(kUninstallListKey) + "\\Zephra Gold";

UninstallEntry Gold() {
  return {"Zephra Gold", "1.02", "C:\\Games\\Gold\\", 2048, "C:\\Games\\Gold\\Gold.exe"};
}

RegistryValue Value(Platform& platform, const std::string& key, const std::string& name) {
  RegistryValue value;
  platform.registry.QueryValue(kRoot, key, name, value);
  return value;
}

RegistryValue Text(const std::string& text) { return {RegistryType::String, text}; }

bool KeyExists(Platform& platform, const std::string& key) {
  return platform.registry.OpenKey(kRoot, key) == registry_status::kSuccess;
}

// Windows 95 deletes a key with its subkeys: the program must not ask for
// the maker's key while a product's key is under it.
class DeleteRecorder : public testing::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  long DeleteKey(RegistryRoot root, std::string_view path) override {
    deleted.emplace_back(path);
    return ForwardingRegistry::DeleteKey(root, path);
  }

  std::vector<std::string> deleted;
};

void RecordProducts(testing::TestMachine& machine, const std::string& lines) {
  machine.WriteFile("C:\\WINDOWS\\Tarvex\\tvx.ini", "[INSTALLED PRODUCTS]\r\n" + lines);
}

TEST(UninstallEntryTest, TheEntryHoldsWhatTheListOfProgramsShowsWithTheProgramQuoted) {
  struct Row {
    const char* name;
    RegistryValue value;
  };
  testing::TestMachine machine;
  Platform& platform = machine.platform();
  RegisterProduct(platform, Gold());
  const Row rows[] = {
      {"DisplayName", Text("Zephra Gold")},
      {"UninstallString", Text("\"C:\\WINDOWS\\Tarvex\\SetupTvx.exe\" -uninstall Zephra Gold")},
      {"DisplayVersion", Text("1.02")},
      {"InstallLocation", Text("C:\\Games\\Gold\\")},
      {"DisplayIcon", Text("C:\\Games\\Gold\\Gold.exe")},
      {"EstimatedSize", RegistryValue::Dword(2048)},
      {"NoModify", RegistryValue::Dword(1)},
      {"NoRepair", RegistryValue::Dword(1)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Value(platform, kEntryKey, row.name), row.value);
  }
  EXPECT_EQ(Value(platform, "software\\Tarvex\\Zephra Gold", "Version"), Text("1.02"));
  EXPECT_EQ(machine.Transcript(), "");
}

TEST(UninstallEntryTest, TheCommandQuotesAWindowsDirectoryWithBlanksAndNotTheName) {
  EXPECT_EQ(UninstallCommand("D:\\My Windows", "Zephra -play Gold"),
            "\"D:\\My Windows\\Tarvex\\SetupTvx.exe\" -uninstall Zephra -play Gold");
}

TEST(UninstallEntryTest, ReinstallingOverwritesTheValuesInPlace) {
  testing::TestMachine machine;
  RegisterProduct(machine.platform(), Gold());
  UninstallEntry newer = Gold();
  newer.version = "1.10";
  newer.icon.clear();
  RegisterProduct(machine.platform(), newer);
  EXPECT_EQ(Value(machine.platform(), kEntryKey, "DisplayVersion"), Text("1.10"));
  EXPECT_EQ(Value(machine.platform(), "software\\Tarvex\\Zephra Gold", "Version"), Text("1.10"));
}

TEST(UninstallEntryTest, TheMakerKeyGoesWithTheLastProductOnly) {
  struct Row {
    const char* label;
    const char* installed;  // lines of "INSTALLED PRODUCTS"
    bool other_key;         // another product's key stays under the maker's
    bool maker_kept;
  };
  const Row rows[] = {
      {"the last product", "Zephra Gold\r\n", false, false},
      {"one of two", "Zephra\r\nZephra Gold\r\n", true, true},
      // A rollback of a second product: only the first is listed yet.
      {"rollback of a second product", "Zephra\r\n", true, true},
      {"listed alone but another key remains", "Zephra Gold\r\n", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    testing::TestMachine machine;
    Platform& platform = machine.platform();
    RecordProducts(machine, row.installed);
    if (row.other_key) RegisterProduct(platform, {"Zephra", "1.0", "C:\\Games\\Zephra\\", 1, ""});
    RegisterProduct(platform, Gold());
    RegistryProcessState state;
    DeleteRecorder recorder(platform.registry);
    Platform recorded{platform.files, recorder, platform.system, platform.shell, platform.ui};
    UnregisterProduct(recorded, state, "Zephra Gold");
    const bool maker_asked =
        std::find(recorder.deleted.begin(), recorder.deleted.end(), kMakerKey) != recorder.deleted.end();
    EXPECT_EQ(maker_asked, !row.maker_kept);
    EXPECT_FALSE(KeyExists(platform, kEntryKey));
    EXPECT_FALSE(KeyExists(platform, "software\\Tarvex\\Zephra Gold"));
    EXPECT_EQ(KeyExists(platform, kMakerKey), row.maker_kept);
    EXPECT_EQ(KeyExists(platform, std::string(kUninstallListKey) + "\\Zephra"), row.other_key);
  }
}

TEST(UninstallEntryTest, ANameThatIsNoKeyNameTouchesNoKey) {
  for (const char* name : {"", "Zephra\\..", "Gold\\Sub"}) {
    SCOPED_TRACE(name);
    testing::TestMachine machine;
    Platform& platform = machine.platform();
    RecordProducts(machine, "");
    platform.registry.CreateKey(kRoot, kUninstallListKey);
    platform.registry.CreateKey(kRoot, kMakerKey);
    RegistryProcessState state;
    UnregisterProduct(platform, state, name);
    EXPECT_TRUE(KeyExists(platform, kUninstallListKey));
    EXPECT_TRUE(KeyExists(platform, kMakerKey));
    RegisterProduct(platform, {name, "1", "C:\\G\\", 1, ""});
    EXPECT_TRUE(platform.registry.SubkeyNames(kRoot, kUninstallListKey).empty());
  }
}

}  // namespace
}  // namespace tvx
