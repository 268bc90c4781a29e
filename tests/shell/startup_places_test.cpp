// Where start-up looks for the source and the client, and the product's
// single running copy.
#include <gtest/gtest.h>

#include "shell/product_instance.h"
#include "shell/startup_places.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

// C: fixed, D: a CD labelled OTHER, E: a CD labelled zephra, F: an empty drive.
TestMachine TwoDiscMachine(const std::string& extra = "") {
  TestMachine::Options options;
  std::string profile = DefaultProfileJson();
  const std::string cd = "{\"letter\": \"D\", \"type\": \"cdrom\", \"label\": \"ZEPHRA\"}";
  profile.replace(profile.find(cd), cd.size(),
                  "{\"letter\": \"D\", \"type\": \"cdrom\", \"label\": \"OTHER\"},"
                  "{\"letter\": \"E\", \"type\": \"cdrom\", \"label\": \"zephra\"},"
                  "{\"letter\": \"F\", \"type\": \"cdrom\", \"has_media\": false}");
  profile.insert(1, extra);
  options.profile_json = profile;
  return TestMachine(options);
}

TEST(StartupPlacesTest, TheSourceIsTheDataSourceOrTheDiscWithTheFixedLabel) {
  TestMachine machine = TwoDiscMachine();
  struct Row {
    const char* name;
    const char* data_source;
    const char* volume;
    const char* expected;
  };
  const Row rows[] = {
      {"a folder as data source", "C:\\Masters\\Zephra", "ZEPHRA", "C:\\Masters\\Zephra"},
      {"the disc, label in any case", "CD ROM", "Zephra", "E:"},
      {"another label is never searched", "CD ROM", "OTHER", ""},
      {"no disc carries the label", "CD ROM", "ZEPHRA ", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    InstallScript script;
    script.data_source = row.data_source;
    script.volume_name = row.volume;
    EXPECT_EQ(FindSourceRoot(machine.platform().files, script), row.expected);
  }
}

TEST(StartupPlacesTest, TheClientFolderIsOnTheSourceOnlyForANewInstallation) {
  InstallScript script;
  script.client_folder = "Client";
  EXPECT_EQ(ClientSourceFolder(script, "E:", false), "INVALID");
  script.client_offered = true;
  EXPECT_EQ(ClientSourceFolder(script, "E:", false), "E:\\Client");
  EXPECT_EQ(ClientSourceFolder(script, "E:", true), "INVALID");
}

TEST(ProductInstanceTest, ARunningGameIsRaisedOnlyWhenPlaying) {
  TestMachine machine = TwoDiscMachine(
      "\"processes\": [{\"executable\": \"C:\\\\Tarvex\\\\Zephra\\\\ZEPHRA.EXE\", \"window\": \"Zephra\"}],");
  Shell& shell = machine.platform().shell;
  const MutexResult first = TakeProductMutex(shell, "ZEPHRA", true);
  ASSERT_NE(first.handle, nullptr);
  EXPECT_FALSE(first.already_existed);
  EXPECT_EQ(machine.Journal(), "");

  const MutexResult second = TakeProductMutex(shell, "ZEPHRA", false);
  EXPECT_EQ(second.handle, nullptr);
  EXPECT_TRUE(second.already_existed);
  EXPECT_EQ(machine.Journal(), "");
  // Regression: the game runs as ZEPHRA.EXE, which the volume name alone
  // never matched, so the running game was never raised.
  EXPECT_TRUE(TakeProductMutex(shell, "ZEPHRA", true).already_existed);
  EXPECT_EQ(machine.Journal(), "front Zephra\n");
}

}  // namespace
}  // namespace tvx::testing
