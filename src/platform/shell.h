// Shell and process services: special folders, opening documents, mutexes,
// starting programs and restarting the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/elevation_types.h"
#include "platform/platform_types.h"

namespace tvx {

// A named mutex held by this process; released when destroyed.
class MutexHandle {
 public:
  virtual ~MutexHandle() = default;
};

struct MutexResult {
  std::unique_ptr<MutexHandle> handle;  // null when creation failed
  bool already_existed = false;
};

// A library loaded into the process; freed when destroyed.
class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;
  virtual bool HasFunction(std::string_view name) = 0;
  // Calls an exported function that takes no argument; nullopt when the
  // library has no such function.
  virtual std::optional<std::uint32_t> CallWithoutArguments(std::string_view name) = 0;
  // Calls an exported function with one argument, the block's address.
  virtual std::optional<std::uint32_t> CallWithBlock(std::string_view name, std::span<std::byte> block) = 0;
  // Calls an exported C-convention function taking three zero-terminated
  // strings; nullopt when the library has no such function.
  virtual std::optional<std::uint32_t> CallWithStrings(std::string_view name, std::string_view first,
                                                       std::string_view second, std::string_view third) = 0;
  // Calls an exported standard-convention function taking the program's
  // active window, a path (none when empty) and flags, and answering a
  // signed code; nullopt when the library has no such function.
  virtual std::optional<std::int32_t> CallWithWindowPathAndFlags(std::string_view name, std::string_view path,
                                                                 std::uint32_t flags) = 0;
};

// WinExec's show state for a program started as its author set it up.
inline constexpr int kShowDefault = 10;
// WinExec answers above this when the program started.
inline constexpr std::uint32_t kLastStartError = 31;

// ---- Shell links -------------------------------------------------------
// One shortcut file as the shell writes it.
struct ShellLink {
  std::string file;  // the ".lnk" file to write
  std::string target;
  std::string arguments;
  std::string working_directory;
  std::string icon_path;
  int icon_index = 0;
};
// ------------------------------------------------------------------------

class Shell {
 public:
  virtual ~Shell() = default;

  // The folder's path without a final "\"; empty when the shell has none.
  virtual std::string SpecialFolderPath(SpecialFolder folder) = 0;
  // ShellExecuteA without verb, parameters or directory; true when started.
  virtual bool OpenDocument(std::string_view target) = 0;
  // Creates the mutex initially owned; already_existed tells that another
  // holder had it first.
  virtual MutexResult CreateNamedMutex(std::string_view name) = 0;
  // LoadLibraryA: null when the library cannot be loaded.
  virtual std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) = 0;
  // For every running process whose executable's file name equals the
  // given name (ASCII case ignored), brings its first top-level window
  // without a parent to the front; false when none runs or processes
  // cannot be listed on this platform.
  virtual bool BringProcessWindowToFront(std::string_view executable_name) = 0;

  // ---- Starting programs and restarting the system ----

  // WinExec: starts a command line in the current folder. A quoted first
  // word is the program; an unquoted one is searched blank by blank, as
  // Windows does. Answers above kLastStartError when started; otherwise 0
  // (no resources), 2 (no such file), 3 (no such folder), 11 (not a
  // program) or another code below 32.
  virtual std::uint32_t StartProgram(std::string_view command_line, int show_state) = 0;
  // Runs a program with one argument string and waits for its end: its
  // exit code, or nullopt when it could not be started. The program sees
  // the command line "<program> <argument>".
  virtual std::optional<std::int32_t> RunProgramAndWait(std::string_view program,
                                                        std::string_view argument) = 0;
  // ExitWindowsEx with shutdown and reboot; false when refused.
  virtual bool RequestRestart() = 0;

  // ---- Elevation -------------------------------------------------------
  // Starts this program again through the "runas" verb with these
  // parameters, in the current folder; Refused when the user declined.
  virtual ElevationAnswer RestartElevated(std::string_view parameters) = 0;
  // Waits for the end of the copy an accepted request started: its exit
  // code, or nullopt when there is none to wait for.
  virtual std::optional<std::uint32_t> WaitForElevatedCopy() = 0;
  // Whether this process is such a restart; tells the requesting process
  // that it arrived. A restart that is still not elevated must not ask again.
  virtual bool ClaimElevatedRestart() = 0;
  // Starts a program with the rights of the desktop's user (through the
  // desktop's shell), for an elevated process; false when any step fails.
  virtual bool StartAsDesktopUser(std::string_view program, std::string_view parameters,
                                  std::string_view directory) = 0;

  // ---- Shell links -----------------------------------------------------
  // Writes the shortcut file through the shell-link object, replacing one
  // already there; false when it could not be written.
  virtual bool CreateShellLink(const ShellLink& link) = 0;
  // ----------------------------------------------------------------------

  // --- Fonts ---

  // AddFontResourceA: the number of fonts the file added, 0 when none.
  virtual int AddFontFile(std::string_view path) = 0;
  // WM_FONTCHANGE sent to every top-level window.
  virtual void BroadcastFontChange() = 0;
};

}  // namespace tvx
