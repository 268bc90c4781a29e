// Starting programs and asking Windows to restart.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_shell.h"

namespace tvx::win32 {
namespace {

constexpr const char* kRestartRecordVariable = "TVX_RESTART_RECORD";

std::string EnvironmentValue(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

bool AppendLine(const std::string& path, const std::string& line) {
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || ::SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

}  // namespace

std::uint32_t Win32Shell::StartProgram(std::string_view command_line, int show_state) {
  return ::WinExec(std::string(command_line).c_str(), static_cast<UINT>(show_state));
}

// The program named apart from its command line, so that blanks in its
// path need no quotes; the wait does not let messages through, as the
// setup programs run in front of a window that has nothing to do.
std::optional<std::int32_t> Win32Shell::RunProgramAndWait(std::string_view program,
                                                          std::string_view argument) {
  const std::string name(program);
  std::string command_line = name + " " + std::string(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(name.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return std::nullopt;
  ::CloseHandle(process.hThread);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 0;
  ::GetExitCodeProcess(process.hProcess, &exit_code);
  ::CloseHandle(process.hProcess);
  return static_cast<std::int32_t>(exit_code);
}

bool Win32Shell::RequestRestart() {
  const std::string record = EnvironmentValue(kRestartRecordVariable);
  if (!record.empty()) return AppendLine(record, "restart\r\n");
  return ::ExitWindowsEx(EWX_SHUTDOWN | EWX_REBOOT, 0) != FALSE;
}

}  // namespace tvx::win32
