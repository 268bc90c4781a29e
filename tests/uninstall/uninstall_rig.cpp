#include "uninstall/uninstall_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "install/copy_paths.h"
#include "platform/file_services.h"

namespace tvx::testing {

std::string UninstallStrings() {
  return TestStrings() +
         "130:S130\n131:S131\n190:S190\n280:S280\n281:S281 %s\n282:S282\n285:S285 %s\n286:S286\n";
}

UninstallRig::UninstallRig(const std::string& answers, const std::string& script)
    : rig(MatchingRig::Answering(answers)) {
  EXPECT_TRUE(rig.Load(script, UninstallStrings()));
}

void UninstallRig::Record(const std::string& directory, const std::string& extra_products) {
  rig.machine().WriteFile("C:\\WINDOWS\\Tarvex\\tvx.ini",
                          "[SYSTEM]\r\nCD ROM Speed=8\r\n\r\n[INSTALLED PRODUCTS]\r\nZephra\r\n" +
                              extra_products + "\r\n[Zephra]\r\nDirectory=" + directory +
                              "\r\nLanguage=English\r\nConfiguration=0\r\n");
  ASSERT_TRUE(rig.matcher().LoadInstalledChoice());
  ASSERT_TRUE(rig.matcher().installed());
}

void UninstallRig::PutInstalledFiles(const std::string& directory) {
  Put(directory + "InstData\\tvx.ins");
  const CopyPlaces places{"D:\\", directory, "C:\\WINDOWS\\SYSTEM"};
  // Language files of the recorded language only, English.
  auto put_list = [&](const CopyItemList& list) {
    for (const CopyItem& item : list.items)
      if (!item.source_name.empty() && !item.font &&
          (item.language_tag.empty() || item.language_tag == "English"))
        Put(ResolveCopyPaths(item, places).destination);
  };
  put_list(rig.script.common_files);
  put_list(rig.script.common_language_files);
  put_list(rig.configuration(0).files);
  put_list(rig.configuration(0).language_files);
}

UninstallResult UninstallRig::Run(const UninstallOptions& options) {
  UninstallContext context{rig.platform(), rig.script_state, rig.registry_state,
                           rig.ui_state,   rig.script,       rig.matcher(),
                           panel,          "Zephra Land",    client};
  return UninstallProduct(context, options);
}

bool UninstallRig::Exists(const std::string& path) { return FileExists(rig.platform().files, path); }

std::map<std::string, std::string> UninstallRig::Snapshot() {
  std::map<std::string, std::string> entries;
  const std::filesystem::path drives = rig.machine().folder() / "drives";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(drives)) {
    std::string key = std::filesystem::relative(entry.path(), drives).generic_string();
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    std::string bytes = "<dir>";
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      bytes = text.str();
    }
    entries[key] = bytes;
  }
  return entries;
}

std::string ChangesOutside(const std::map<std::string, std::string>& before,
                           const std::map<std::string, std::string>& after, const std::string& folder) {
  auto ignored = [&](const std::string& key) {
    return key == folder || key.rfind(folder + "/", 0) == 0 || key == "c/windows/tarvex/tvx.ini" ||
           key == "c/windows/tarvex/tvx.bak";
  };
  std::string changes;
  for (const auto& [key, bytes] : before) {
    if (ignored(key)) continue;
    const auto found = after.find(key);
    if (found == after.end())
      changes += "gone: " + key + "\n";
    else if (found->second != bytes)
      changes += "changed: " + key + "\n";
  }
  for (const auto& [key, bytes] : after)
    if (!ignored(key) && !before.count(key)) changes += "new: " + key + "\n";
  return changes;
}

}  // namespace tvx::testing
