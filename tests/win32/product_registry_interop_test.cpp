// tvx.ini against Windows' own profile functions: what the product
// registry writes reads back the same through GetPrivateProfileStringA, and
// what WritePrivateProfileStringA writes reads the same through the editor.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_services.h"
#include "platform/win32/win32_platform.h"
#include "registry/installed_products.h"
#include "registry/product_record.h"
#include "registry/product_registry_file.h"
#include "support/seam_files.h"

namespace tvx::testing {
namespace {

struct Entry {
  const char* section;
  const char* key;
  std::string value;
};

// The kinds of values a product record holds.
const std::vector<Entry>& RecordedValues() {
  static const std::vector<Entry> entries = {
      {"Zephra Gold", "Directory", "C:\\Program Files\\Tarvex\\Zephra Gold\\"},
      {"Zephra Gold", "SrcDataPath", "\\"},
      {"Zephra Gold", "VolumeName", "ZEPHRA"},
      {"Zephra Gold", "Language",
       "Fran\xE7"
       "ais"},
      {"Zephra Gold", "ShortCutDirectory", "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex\\Zephra Gold"},
      {"Zephra Gold", "ShortCutDesktopName", "C:\\WINDOWS\\Desktop\\Play Zephra Gold"},
      {"Zephra Gold", "WebShortCutDesktopName", "C:\\WINDOWS\\Desktop\\Zephra on the web"},
      {"Zephra Gold", "URL", "http://www.zephra.example/start?lang=en&id=7"},
      {"Zephra Gold", "Detail Level", "High"},
      {"NVC", "Valid", "TRUE"},
  };
  return entries;
}

class ProductRegistryInteropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = WindowsDirectory(files()) + "\\Tarvex";
    made_folder_ = !IsDirectory(files(), folder_);
    ASSERT_TRUE(CreateDirectoryChain(files(), folder_));
    for (const std::string& name : {kIni(), kBak()}) {
      std::string contents;
      kept_.push_back(ReadWholeFile(files(), name, contents) == FileError::None ? contents : kAbsent);
      files().RemoveFile(name);
    }
  }

  // Leaves the shared prefix as it was found.
  void TearDown() override {
    const std::string names[] = {kIni(), kBak()};
    for (std::size_t i = 0; i < kept_.size(); ++i) {
      files().RemoveFile(names[i]);
      if (kept_[i] != kAbsent) WriteFile(files(), names[i], kept_[i]);
    }
    files().RemoveFile(scratch_copy_);
    if (made_folder_) files().RemoveEmptyDirectory(folder_);
  }

  FileSystem& files() { return real_.platform().files; }
  std::string kIni() const { return folder_ + "\\tvx.ini"; }
  std::string kBak() const { return folder_ + "\\tvx.bak"; }

  // Read through a copy under a new name: Wine caches a profile it has read.
  std::string ProfileString(const char* section, const char* key) {
    if (scratch_copy_.empty()) {
      scratch_copy_ = folder_ + "\\interop-" + std::to_string(::GetCurrentProcessId()) + ".ini";
      EXPECT_TRUE(CopyWholeFile(files(), kIni(), scratch_copy_));
    }
    char buffer[1024];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    const DWORD length =
        ::GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, scratch_copy_.c_str());
    return std::string(buffer, length);
  }

  static constexpr const char* kAbsent = "\x01<absent>";
  win32::Win32Platform real_;
  RegistryProcessState state_;
  std::string folder_;
  bool made_folder_ = false;
  std::vector<std::string> kept_;
  std::string scratch_copy_;
};

TEST_F(ProductRegistryInteropTest, WindowsReadsBackEveryKindOfValueTheEditorWrites) {
  {
    ProductRegistryFile registry(files(), state_);
    ASSERT_NE(registry.WriteString("INSTALLED PRODUCTS", "Zephra Gold", ""), 0);
    for (const Entry& entry : RecordedValues())
      ASSERT_NE(registry.WriteString(entry.section, entry.key, entry.value), 0);
    ASSERT_NE(registry.WriteLong("Zephra Gold", "Configuration", 2), 0);
    ASSERT_NE(registry.WriteSystemLong("CD ROM Speed", -1), 0);
    ASSERT_TRUE(registry.Save());
  }
  for (const Entry& entry : RecordedValues()) {
    SCOPED_TRACE(std::string(entry.section) + " / " + entry.key);
    EXPECT_EQ(ProfileString(entry.section, entry.key), entry.value);
  }
  EXPECT_EQ(ProfileString("Zephra Gold", "Configuration"), "2");
  EXPECT_EQ(ProfileString("SYSTEM", "CD ROM Speed"), "-1");
  // Section names compare without case on both sides.
  EXPECT_EQ(ProfileString("zephra gold", "VolumeName"), "ZEPHRA");
  // The bare product key is a line of its section to Windows too.
  char section[256];
  const DWORD length =
      ::GetPrivateProfileSectionA("INSTALLED PRODUCTS", section, sizeof section, scratch_copy_.c_str());
  EXPECT_EQ(std::string(section, length), std::string("Zephra Gold\0", 12));
  // It holds no value for Windows either, as ReadString finds none.
  EXPECT_EQ(ProfileString("INSTALLED PRODUCTS", "Zephra Gold"), "<missing>");
}

TEST_F(ProductRegistryInteropTest, WindowsReadsBackEveryValueOfAProductRecord) {
  InstallScript script;
  script.application_name = "Zephra Gold";
  script.volume_name = "ZEPHRA";
  script.web_shortcut = true;
  script.web_shortcut_name = "Zephra on the web";
  script.client_offered = true;
  script.web_addresses = {"http://www.zephra.example/start?lang=en&id=7"};
  script.configurations.resize(1);
  script.configurations[0].ini.keys = {"Detail Level", "Music Path"};
  script.configurations[0].ini.values = {"High", "C:\\Program Files\\Tarvex\\Zephra Gold\\Music\\"};
  InstallChoices choices;
  choices.install_directory = "C:\\Program Files\\Tarvex\\Zephra Gold\\";
  choices.source_directory = "D:";
  choices.language =
      "Fran\xE7"
      "ais";
  choices.desktop_shortcut_name = "Play Zephra Gold";
  choices.web_address = script.web_addresses[0];
  ASSERT_TRUE(RecordProduct(real_.platform(), state_, script, choices,
                            "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games\\Zephra Gold"));

  ProductRegistryFile registry(files(), state_);
  std::vector<std::string> keys;
  for (const char* section : {"Zephra Gold", "NVC"}) {
    std::string line;
    while (registry.NextEntry(section, line)) {
      const std::size_t equals = line.find('=');
      ASSERT_NE(equals, std::string::npos) << line;
      const std::string key = line.substr(0, equals);
      SCOPED_TRACE(key);
      keys.push_back(key);
      EXPECT_EQ(ProfileString(section, key.c_str()), line.substr(equals + 1));
    }
  }
  EXPECT_EQ(keys,
            (std::vector<std::string>{"Music Path", "Detail Level", "URL", "WebShortCutDesktopName",
                                      "ShortCutDesktopName", "ShortCutDirectory", "Language", "Configuration",
                                      "VolumeName", "SrcDataPath", "Directory", "Valid"}));
  EXPECT_EQ(ProfileString("Zephra Gold", "Directory"), choices.install_directory);
}

TEST_F(ProductRegistryInteropTest, TheEditorReadsWhatWindowsWrites) {
  const std::string path = kIni();
  for (const Entry& entry : RecordedValues())
    ASSERT_TRUE(::WritePrivateProfileStringA(entry.section, entry.key, entry.value.c_str(), path.c_str()));
  ASSERT_TRUE(::WritePrivateProfileStringA("SYSTEM", "CD ROM Speed", "24", path.c_str()));
  ASSERT_TRUE(::WritePrivateProfileStringA("INSTALLED PRODUCTS", "Zephra Gold", "", path.c_str()));
  // Pushes Wine's cached copy of the profile to the disk.
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());

  ProductRegistryFile registry(files(), state_);
  for (const Entry& entry : RecordedValues()) {
    SCOPED_TRACE(std::string(entry.section) + " / " + entry.key);
    std::string value;
    EXPECT_TRUE(registry.ReadString(entry.section, entry.key, value));
    EXPECT_EQ(value, entry.value);
  }
  std::int32_t speed = 0;
  EXPECT_TRUE(registry.ReadLong("SYSTEM", "CD ROM Speed", speed));
  EXPECT_EQ(speed, 24);
  // Windows writes an empty value with its "=": the entry line is whole.
  std::string line;
  ASSERT_TRUE(registry.NextEntry("INSTALLED PRODUCTS", line));
  EXPECT_EQ(line, "Zephra Gold=");
  EXPECT_FALSE(registry.NextEntry("INSTALLED PRODUCTS", line));
}

}  // namespace
}  // namespace tvx::testing
