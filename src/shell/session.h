// Process-wide state of one run of the program, owned by the entry point.
// Each subsystem keeps its own process-wide values in a struct of its own
// folder; the session holds them, so lower layers never include this file.
#pragma once

#include <memory>
#include <string>

#include "detection/detection_process_state.h"
#include "detection/system_version.h"
#include "platform/platform.h"
#include "registry/registry_process_state.h"
#include "script/script_process_state.h"
#include "ui/ui_process_state.h"

namespace tvx {

struct Session {
  explicit Session(Platform& platform_in) : platform(platform_in) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Platform& platform;

  // The product named after "-play", "-uninstall" or "-http".
  std::string product_argument;
  // Set when the process is already ending (web link): start-up does nothing.
  bool quit_requested = false;
  // Elevated by user account control: a game started from here gets the
  // desktop user's rights instead.
  bool elevated_under_uac = false;
  SystemVersion system_version;
  DetectionProcessState detection_state;
  ScriptProcessState script_state;
  RegistryProcessState registry_state;
  UiProcessState ui_state;

  // Held for the life of the process; the product mutex is given up when
  // the game is started.
  std::unique_ptr<MutexHandle> setup_mutex;
  std::unique_ptr<MutexHandle> product_mutex;
};

}  // namespace tvx
