// Finding a running program by its file name and raising its window.
#include <windows.h>

#include <tlhelp32.h>

#include <string>

#include "platform/path_text.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_shell.h"

namespace tvx::win32 {
namespace {

using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkFunction = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);

struct ToolHelp {
  SnapshotFunction snapshot = OptionalExport<SnapshotFunction>("KERNEL32.DLL", "CreateToolhelp32Snapshot");
  WalkFunction first = OptionalExport<WalkFunction>("KERNEL32.DLL", "Process32First");
  WalkFunction next = OptionalExport<WalkFunction>("KERNEL32.DLL", "Process32Next");
  bool available() const { return snapshot && first && next; }
};

struct WindowSearch {
  DWORD process_id;
  HWND found = nullptr;
};

BOOL CALLBACK FirstParentlessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || ::GetParent(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// Top-most and back again: the window comes to the front without keeping
// the top-most state.
void RaiseWindowOf(DWORD process_id) {
  WindowSearch search{process_id};
  ::EnumWindows(FirstParentlessWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  constexpr UINT kFlags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
  ::SetWindowPos(search.found, HWND_TOPMOST, 0, 0, 0, 0, kFlags);
  ::SetWindowPos(search.found, HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
}

}  // namespace

bool Win32Shell::BringProcessWindowToFront(std::string_view executable_name) {
  const ToolHelp tool_help;
  if (!tool_help.available()) return false;
  FileHandle snapshot(tool_help.snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = tool_help.first(snapshot.get(), &entry); more;
       more = tool_help.next(snapshot.get(), &entry)) {
    if (!EqualsNoCase(AfterLastBackslash(entry.szExeFile), executable_name)) continue;
    found = true;
    RaiseWindowOf(entry.th32ProcessID);
  }
  return found;
}

}  // namespace tvx::win32
