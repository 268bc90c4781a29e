#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/win32_handles.h"

namespace tvx::win32 {
namespace {

class Win32Mutex : public MutexHandle {
 public:
  explicit Win32Mutex(KernelHandle handle) : handle_(std::move(handle)) {}

 private:
  KernelHandle handle_;
};

// Frees an item identifier list with the shell's allocator.
void FreeIdList(LPITEMIDLIST list) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(list);
    allocator->Release();
  }
}

}  // namespace

std::string Win32Shell::SpecialFolderPath(SpecialFolder folder) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, static_cast<int>(folder), &list)) || !list) return {};
  char path[MAX_PATH + 1] = {};
  const BOOL found = ::SHGetPathFromIDListA(list, path);
  FreeIdList(list);
  return found ? std::string(path) : std::string();
}

bool Win32Shell::OpenDocument(std::string_view target) {
  const HINSTANCE result =
      ::ShellExecuteA(nullptr, nullptr, std::string(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

MutexResult Win32Shell::CreateNamedMutex(std::string_view name) {
  KernelHandle handle(::CreateMutexA(nullptr, TRUE, std::string(name).c_str()));
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (!handle) return {};
  return {std::make_unique<Win32Mutex>(std::move(handle)), existed};
}

}  // namespace tvx::win32
