// Recording an installed product: the keys, their order and conditions,
// the source path rule, a reinstall, and the failure message.
#include "registry/product_record.h"

#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "registry/installed_products.h"
#include "registry/product_registry_file.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr const char* kIni = "C:\\WINDOWS\\Tarvex\\tvx.ini";
constexpr const char* kShortcutFolder = "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games\\Zephra";

InstallScript ZephraScript() {
  InstallScript script;
  script.application_name = "Zephra";
  script.volume_name = "ZEPHRA";
  Configuration first;
  first.ini.keys = {"Detail", "Music"};
  first.ini.values = {"High", "On"};
  Configuration playable;
  playable.playable = true;
  script.configurations = {first, playable};
  return script;
}

InstallChoices Choices() {
  InstallChoices choices;
  choices.install_directory = "C:\\Tarvex\\Zephra\\";
  choices.source_directory = "D:";
  choices.language = "English";
  choices.desktop_shortcut_name = "Play Zephra";
  return choices;
}

class ProductRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirectoryChain(files(), "C:\\WINDOWS\\Tarvex")); }

  FileSystem& files() { return machine_.platform().files; }
  bool Record(const InstallScript& script, const InstallChoices& choices) {
    return RecordProduct(machine_.platform(), state_, script, choices, kShortcutFolder);
  }
  std::string Read(const char* key, const char* section = "Zephra") {
    ProductRegistryFile registry(files(), state_);
    std::string value = "<none>";
    registry.ReadString(section, key, value);
    return value;
  }

  TestMachine machine_;
  RegistryProcessState state_;
};

TEST_F(ProductRecordTest, AFirstRecordListsTheKeysInReverseOrderOfWriting) {
  InstallScript script = ZephraScript();
  script.web_shortcut = true;
  script.web_shortcut_name = "Zephra on the web";
  script.client_offered = true;
  script.web_addresses = {"http://one.example", "http://two.example"};
  InstallChoices choices = Choices();
  choices.web_address = "http://two.example";

  ASSERT_TRUE(Record(script, choices));

  EXPECT_EQ(machine_.ReadFile(kIni),
            "\r\n[INSTALLED PRODUCTS]\r\nZephra\r\n"
            "\r\n[Zephra]\r\n"
            "Music=On\r\nDetail=High\r\n"
            "URL=http://two.example\r\n"
            "WebShortCutDesktopName=C:\\WINDOWS\\Desktop\\Zephra on the web\r\n"
            "ShortCutDesktopName=C:\\WINDOWS\\Desktop\\Play Zephra\r\n"
            "ShortCutDirectory=C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games\\Zephra\r\n"
            "Language=English\r\nConfiguration=0\r\nVolumeName=ZEPHRA\r\nSrcDataPath=\\\r\n"
            "Directory=C:\\Tarvex\\Zephra\\\r\n"
            "\r\n[NVC]\r\nValid=TRUE\r\n");
  EXPECT_EQ(machine_.Transcript(), "");
}

TEST_F(ProductRecordTest, OptionalKeysFollowTheConfigurationAndTheScript) {
  const struct {
    const char* label;
    bool playable, skip_shortcut, web_shortcut, client_offered, addresses;
    bool shortcuts, web_shortcut_key, url;
  } rows[] = {
      {"plain", false, false, false, false, false, true, false, false},
      {"skip shortcut still records them", false, true, false, false, false, true, false, false},
      {"playable leaves them out", true, false, false, false, false, false, false, false},
      {"web desktop shortcut", false, false, true, false, false, true, true, false},
      {"client offered without addresses", false, false, false, true, false, true, false, false},
      {"addresses without the client", false, false, false, false, true, true, false, false},
      {"client offered with addresses", false, false, false, true, true, true, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    files().RemoveFile(kIni);
    files().RemoveFile("C:\\WINDOWS\\Tarvex\\tvx.bak");
    InstallScript script = ZephraScript();
    script.configurations[0].playable = row.playable;
    script.configurations[0].skip_shortcut = row.skip_shortcut;
    script.web_shortcut = row.web_shortcut;
    script.client_offered = row.client_offered;
    if (row.addresses) script.web_addresses = {"http://one.example"};
    InstallChoices choices = Choices();
    choices.web_address = row.addresses ? "http://one.example" : "";
    ASSERT_TRUE(Record(script, choices));
    EXPECT_EQ(Read("ShortCutDirectory") != "<none>", row.shortcuts);
    EXPECT_EQ(Read("ShortCutDesktopName") != "<none>", row.shortcuts);
    EXPECT_EQ(Read("WebShortCutDesktopName") != "<none>", row.web_shortcut_key);
    EXPECT_EQ(Read("URL") != "<none>", row.url);
    EXPECT_EQ(Read("Detail"), "High");
    EXPECT_EQ(Read("Valid", "NVC"), "TRUE");
  }
}

TEST_F(ProductRecordTest, AReinstallReplacesTheValuesInPlace) {
  ASSERT_TRUE(Record(ZephraScript(), Choices()));
  InstallChoices again = Choices();
  again.install_directory = "E:\\Games\\Zephra\\";
  again.language = "Deutsch";
  ASSERT_TRUE(Record(ZephraScript(), again));

  EXPECT_EQ(ListInstalledProducts(files(), state_), std::vector<std::string>{"Zephra"});
  EXPECT_EQ(Read(kDirectoryKey), "E:\\Games\\Zephra\\");
  EXPECT_EQ(Read("Language"), "Deutsch");
  const std::string text = machine_.ReadFile(kIni);
  EXPECT_EQ(text.find("[Zephra]"), text.rfind("[Zephra]"));
  EXPECT_LT(text.find("Language=Deutsch"), text.find("Directory=E:"));
}

TEST_F(ProductRecordTest, AFailedSaveShowsTheMessageOnce) {
  files().RemoveEmptyDirectory("C:\\WINDOWS\\Tarvex");
  EXPECT_FALSE(Record(ZephraScript(), Choices()));
  const std::string transcript = machine_.Transcript();
  EXPECT_NE(transcript.find("caption=\"Error with 'Tvx.ini' file\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("not well updated for this product !"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("style=0x00000010"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("message-box"), transcript.rfind("message-box"));
}

TEST_F(ProductRecordTest, AConfigurationOutsideTheScriptIsNotRecordedAsValid) {
  InstallChoices choices = Choices();
  choices.configuration = 2;
  EXPECT_FALSE(Record(ZephraScript(), choices));
  EXPECT_NE(machine_.Transcript().find("Error with 'Tvx.ini' file"), std::string::npos);
}

TEST(SourceDataPathTest, ACdRomGivesTheProgramFolderWithoutItsDrive) {
  const struct {
    const char* program;
    const char* source;
    const char* recorded;
  } rows[] = {
      {"D:\\SetupTvx.exe", "D:", "\\"},
      {"D:\\Disc\\Setup\\SetupTvx.exe", "D:", "\\Disc\\Setup\\"},
      // A hard-disk copy records the installation's source, not a path without drive.
      {"C:\\Copy\\SetupTvx.exe", "C:\\Copy", "C:\\Copy\\"},
      {"C:\\SetupTvx.exe", "E:\\Elsewhere", "E:\\Elsewhere\\"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.program);
    TestMachine::Options options;
    options.run.program_path = row.program;
    TestMachine machine(options);
    EXPECT_EQ(SourceDataPath(machine.platform().files, row.source), row.recorded);
  }
}

}  // namespace
}  // namespace tvx::testing
