// The Indeo codec installers on the real API, with stand-in codecs built
// here: the libraries land in the system directory, SYSTEM.INI and the
// registry read back through the system's own functions. The prefix is
// shared, so SYSTEM.INI, the libraries and the keys are put back after.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "components/codec_installers.h"
#include "detection/detection_process_state.h"
#include "platform/file_services.h"
#include "platform/win32/win32_platform.h"
#include "support/recording_ui.h"
#include "support/seam_files.h"
#include "ui/ui_process_state.h"

namespace tvx::testing {
namespace {

const char* const kCodecFiles[] = {"ir50_32.dll", "ir41_32.dll", "ir32_32.dll"};
const char* const kTags[] = {"vidc.IV50", "vidc.IV41", "vidc.IV32"};
constexpr const char* kMediaResources = "System\\CurrentControlSet\\control\\MediaResources";

std::string DiscFolder() {
  std::string folder = TVX_CODEC_DISC;
  for (char& c : folder)
    if (c == '/') c = '\\';
  return folder + "\\";
}

std::string IniValue(const char* key) {
  char buffer[80] = {};
  ::GetPrivateProfileStringA("drivers32", key, "<none>", buffer, sizeof buffer, "system.ini");
  return buffer;
}

// The raw value: its type and every byte the registry counts.
std::optional<std::pair<DWORD, std::string>> RawValue(const std::string& key, const char* name) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return std::nullopt;
  char data[256] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  const LONG status = ::RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  ::RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return std::make_pair(type, std::string(data, size));
}

class Win32CodecInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Platform& real = real_.platform();
    system_ = SystemDirectory(real.files);
    system_ini_ = WindowsDirectory(real.files) + "\\system.ini";
    Remember(system_ini_);
    for (const char* file : kCodecFiles) {
      Remember(system_ + "\\" + file);
      Remember(Backup(system_ + "\\" + file));
    }
    Remember(Backup(system_ini_));
    for (const std::string& key : KeysToPutBack()) RememberKey(key);
  }

  void TearDown() override {
    Platform& real = real_.platform();
    for (const auto& [path, contents] : files_) {
      if (contents) {
        WriteFile(real.files, path, *contents);
      } else {
        real.files.RemoveFile(path);
      }
    }
    for (const std::string& key : KeysToPutBack()) PutKeyBack(key);
  }

  std::int32_t Install(bool indeo5) {
    Platform platform{real_.platform().files, real_.platform().registry, real_.platform().system,
                      real_.platform().shell, ui_};
    ComponentContext context{platform, detection_, ui_state_, [](int) { return std::string(); },
                             [] { return std::string("Zephra"); }};
    detection_.installer_path = DiscFolder();
    return indeo5 ? InstallIndeo5(context) : InstallVfwIndeo(context);
  }

  std::string SystemFile(const std::string& name) {
    const std::string path = system_ + "\\" + name;
    return FileExists(real_.platform().files, path) ? ReadFile(real_.platform().files, path) : "<none>";
  }

  FileSystem& files() { return real_.platform().files; }

  RecordingUi ui_;

 private:
  static std::string Backup(const std::string& path) { return path.substr(0, path.size() - 3) + "sav"; }

  // The codec keys, then their parents, deepest first.
  static std::vector<std::string> KeysToPutBack() {
    std::vector<std::string> keys;
    for (const char* tag : kTags) keys.push_back(std::string(kMediaResources) + "\\icm\\" + tag);
    keys.push_back(std::string(kMediaResources) + "\\icm");
    keys.push_back(kMediaResources);
    return keys;
  }

  void Remember(const std::string& path) {
    FileSystem& files = real_.platform().files;
    files_[path] = FileExists(files, path) ? std::optional(ReadFile(files, path)) : std::nullopt;
  }

  void RememberKey(const std::string& key) {
    Registry& registry = real_.platform().registry;
    if (registry.OpenKey(RegistryRoot::LocalMachine, key) != registry_status::kSuccess) return;
    auto& values = keys_[key];
    for (const std::string& name : registry.ValueNames(RegistryRoot::LocalMachine, key))
      registry.QueryValue(RegistryRoot::LocalMachine, key, name, values[name]);
  }

  void PutKeyBack(const std::string& key) {
    Registry& registry = real_.platform().registry;
    const auto kept = keys_.find(key);
    if (kept == keys_.end()) {
      registry.DeleteKey(RegistryRoot::LocalMachine, key);
      return;
    }
    for (const std::string& name : registry.ValueNames(RegistryRoot::LocalMachine, key))
      if (!kept->second.contains(name)) registry.DeleteValue(RegistryRoot::LocalMachine, key, name);
    for (const auto& [name, value] : kept->second)
      registry.SetValue(RegistryRoot::LocalMachine, key, name, value);
  }

  win32::Win32Platform real_;
  DetectionProcessState detection_;
  UiProcessState ui_state_;
  std::string system_;
  std::string system_ini_;
  std::map<std::string, std::optional<std::string>> files_;
  std::map<std::string, std::map<std::string, RegistryValue>> keys_;
};

TEST_F(Win32CodecInstallTest, BothInstallersCopyAndRegisterTheCodecs) {
  struct Row {
    bool indeo5;
    const char* version_line;
  };
  const Row rows[] = {{false, "  *  Indeo\xAE video interactive 4.10.15.31\nFilename: ir41_32.dll\n"},
                      {true, "  *  Indeo\xAE video interactive 5.6.3.1\nFilename: ir50_32.dll\n"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.indeo5 ? "Indeo5" : "VFW Indeo");
    ui_.boxes.clear();
    ASSERT_EQ(Install(row.indeo5), 1) << ::testing::PrintToString(ui_.Texts());
    ASSERT_EQ(ui_.boxes.size(), 2u) << ::testing::PrintToString(ui_.Texts());
    EXPECT_NE(ui_.boxes[0].text.find(row.version_line), std::string::npos) << ui_.boxes[0].text;

    for (const char* file : {"IR41_32.DLL", "IR32_32.DLL"})
      EXPECT_EQ(SystemFile(file), ReadFile(files(), DiscFolder() + file)) << file;
    EXPECT_EQ(IniValue("VIDC.IV41"), "ir41_32.dll");
    EXPECT_EQ(IniValue("vidc.iv32"), "ir32_32.dll");
    for (const char* backup : {"ir50_32.sav", "ir41_32.sav", "ir32_32.sav"})
      EXPECT_EQ(SystemFile(backup), "<none>") << backup;
  }
  EXPECT_EQ(SystemFile("IR50_32.DLL"), ReadFile(files(), DiscFolder() + "IR50_32.DLL"));
  EXPECT_EQ(IniValue("VIDC.IV50"), "ir50_32.dll");

  struct Value {
    const char* tag;
    const char* name;
    const char* text;
  };
  const Value values[] = {
      {"vidc.IV50", "Description", "Indeo\xAE video interactive R5.06 by Intel"},
      {"vidc.IV50", "Driver", "ir50_32.dll"},
      {"vidc.IV41", "FriendlyName", "Indeo\xAE video interactive R4.1 by Intel"},
      {"vidc.IV32", "Description", "Indeo\xAE video R3.2 by Intel"},
      {"vidc.IV32", "Driver", "ir32_32.dll"},
  };
  for (const Value& value : values) {
    SCOPED_TRACE(std::string(value.tag) + " " + value.name);
    const auto raw = RawValue(std::string(kMediaResources) + "\\icm\\" + value.tag, value.name);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->first, static_cast<DWORD>(REG_SZ));
    // The installers leave the terminating zero out of the length, but NT
    // (and Wine after it) counts a zero that follows the data in memory.
    EXPECT_EQ(raw->second, value.text + std::string(1, '\0'));
  }
}

}  // namespace
}  // namespace tvx::testing
