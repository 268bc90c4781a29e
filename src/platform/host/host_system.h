// Machine facts of a simulated machine, from its profile.
#pragma once

#include "platform/host/machine_profile.h"
#include "platform/system.h"

namespace tvx::host {

class HostSystem : public System {
 public:
  HostSystem(const MachineProfile& profile, std::string command_line)
      : profile_(profile), command_line_(std::move(command_line)) {}

  VersionRecord Version() override { return profile_.version; }
  bool InAdministratorsGroup() override { return profile_.administrator; }
  MemoryStatus Memory() override { return profile_.memory; }
  ScreenInfo Screen() override { return profile_.screen; }
  std::string UserLanguageName() override { return profile_.user_language; }
  std::string CommandLine() override { return command_line_; }

 private:
  const MachineProfile& profile_;
  std::string command_line_;
};

}  // namespace tvx::host
