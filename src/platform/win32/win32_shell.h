// Shell services through the Win32 calls.
#pragma once

#include "platform/shell.h"

namespace tvx::win32 {

class Win32Shell : public Shell {
 public:
  std::string SpecialFolderPath(SpecialFolder folder) override;
  bool OpenDocument(std::string_view target) override;
  MutexResult CreateNamedMutex(std::string_view name) override;
  std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) override;
  // Tool-help looked up at run time: Windows NT 4.0 has none.
  bool BringProcessWindowToFront(std::string_view executable_name) override;

  // ---- Shell links -----------------------------------------------------
  // Through the shell-link object (win32_shell_link.cpp).
  bool CreateShellLink(const ShellLink& link) override;
  // ----------------------------------------------------------------------
};

}  // namespace tvx::win32
