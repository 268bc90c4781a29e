// Shell services through the Win32 calls.
#pragma once

#include "platform/shell.h"
#include "platform/win32/win32_handles.h"

namespace tvx::win32 {

class Win32Shell : public Shell {
 public:
  std::string SpecialFolderPath(SpecialFolder folder) override;
  bool OpenDocument(std::string_view target) override;
  MutexResult CreateNamedMutex(std::string_view name) override;
  std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) override;
  // Tool-help looked up at run time: Windows NT 4.0 has none.
  bool BringProcessWindowToFront(std::string_view executable_name) override;

  // ---- Starting programs and restarting the system (win32_program_start.cpp) ----

  std::uint32_t StartProgram(std::string_view command_line, int show_state) override;
  std::optional<std::int32_t> RunProgramAndWait(std::string_view program, std::string_view argument) override;
  // With TVX_RESTART_RECORD set, the request is only appended to that file:
  // tests under Wine must never end the session they run in.
  bool RequestRestart() override;

  // ---- Elevation (win32_elevation.cpp) ----
  // ShellExecuteExA with "runas"; then waits until the copy says it arrived.
  ElevationAnswer RestartElevated(std::string_view parameters) override;
  bool ClaimElevatedRestart() override;
  std::optional<std::uint32_t> WaitForElevatedCopy() override;
  // Through the desktop's shell view and its IShellDispatch2::ShellExecute.
  bool StartAsDesktopUser(std::string_view program, std::string_view parameters,
                          std::string_view directory) override;

  // ---- Shell links -----------------------------------------------------
  // Through the shell-link object (win32_shell_link.cpp).
  bool CreateShellLink(const ShellLink& link) override;
  // ----------------------------------------------------------------------

  // Fonts
  int AddFontFile(std::string_view path) override;
  void BroadcastFontChange() override;

 private:
  KernelHandle elevated_copy_;  // the copy "runas" started, for a silent run to wait on
};

}  // namespace tvx::win32
