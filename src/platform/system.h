// Facts about the machine and the running process.
#pragma once

#include <string>

#include "platform/platform_types.h"

namespace tvx {

class System {
 public:
  virtual ~System() = default;

  virtual VersionRecord Version() = 0;
  // Whether the process token belongs to the local Administrators group.
  virtual bool InAdministratorsGroup() = 0;
  virtual MemoryStatus Memory() = 0;
  virtual ScreenInfo Screen() = 0;
  // The user's language, in English (LOCALE_SENGLANGUAGE).
  virtual std::string UserLanguageName() = 0;
  // The whole command line, program path included (GetCommandLineA).
  virtual std::string CommandLine() = 0;
};

}  // namespace tvx
