// Machine facts through the Win32 calls.
#pragma once

#include "platform/system.h"

namespace tvx::win32 {

class Win32System : public System {
 public:
  VersionRecord Version() override;
  bool InAdministratorsGroup() override;
  MemoryStatus Memory() override;
  ScreenInfo Screen() override;
  std::string UserLanguageName() override;
  std::string CommandLine() override;
};

}  // namespace tvx::win32
