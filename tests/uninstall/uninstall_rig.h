// An installed Zephra on a simulated machine, ready to be removed: the
// script's files on C:, its record in "tvx.ini", and the uninstaller's
// context over them.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "components/online_client.h"
#include "detection/matching_rig.h"
#include "install/panel_hooks.h"
#include "uninstall/uninstall_product.h"

namespace tvx::testing {

inline constexpr const char* kZephraDirectory = "C:\\Games\\Zephra\\";

// The test strings with the uninstaller's numbers.
std::string UninstallStrings();

// Counts what the uninstaller asked of the panel.
class CountingPanel : public PanelHooks {
 public:
  void ResetButtons() override { ++resets; }
  void Repaint() override { ++repaints; }
  void RefreshButtons(bool focus_play) override {
    ++refreshes;
    last_focus_play = focus_play;
  }
  int resets = 0;
  int repaints = 0;
  int refreshes = 0;
  bool last_focus_play = true;
};

class UninstallRig {
 public:
  // answers: the machine's answer script; script: the whole install script.
  UninstallRig(const std::string& answers, const std::string& script);

  // Records the product in "tvx.ini" as installed in directory under
  // configuration 0 and English, and reads the record back.
  void Record(const std::string& directory = kZephraDirectory, const std::string& extra_products = "");
  // Puts every file the lists name into the directory, with the install
  // data the product keeps there.
  void PutInstalledFiles(const std::string& directory = kZephraDirectory);
  UninstallResult Run(const UninstallOptions& options = {});

  void Put(const std::string& path, const std::string& bytes = "x") { rig.machine().WriteFile(path, bytes); }
  bool Exists(const std::string& path);
  // Every file and folder of the machine's drives, with the files' bytes.
  std::map<std::string, std::string> Snapshot();

  MatchingRig rig;
  CountingPanel panel;
  OnlineClient client{ClientContext{rig.platform(), rig.registry_state, rig.script_state,
                                    [this] { return rig.script.application_name; },
                                    [this] { return rig.matcher().client_source_folder(); }}};
};

// What changed between two snapshots, outside the folder (lower case,
// "c/games/zephra" form) and "tvx.ini" with its backup.
std::string ChangesOutside(const std::map<std::string, std::string>& before,
                           const std::map<std::string, std::string>& after, const std::string& folder);

}  // namespace tvx::testing
