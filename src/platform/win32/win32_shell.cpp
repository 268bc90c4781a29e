#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/win32_com.h"
#include "platform/win32/win32_handles.h"

namespace tvx::win32 {
namespace {

class Win32Mutex : public MutexHandle {
 public:
  explicit Win32Mutex(KernelHandle handle) : handle_(std::move(handle)) {}

 private:
  KernelHandle handle_;
};

// Calls an exported function whichever way it cleans the stack (cdecl or
// stdcall): the stack pointer is kept in a register the callee preserves
// and put back afterwards, so a convention mismatch cannot unbalance it.
std::uint32_t CallWithoutStackArguments(FARPROC function) {
  std::uint32_t result = 0;
  asm volatile(
      "movl %%esp, %%edi\n\t"
      "call *%1\n\t"
      "movl %%edi, %%esp\n\t"
      : "=a"(result)
      : "r"(function)
      : "ecx", "edx", "edi", "memory", "cc");
  return result;
}

std::uint32_t CallWithStackArgument(FARPROC function, void* argument) {
  std::uint32_t result = 0;
  asm volatile(
      "movl %%esp, %%edi\n\t"
      "pushl %2\n\t"
      "call *%1\n\t"
      "movl %%edi, %%esp\n\t"
      : "=a"(result)
      : "r"(function), "r"(argument)
      : "ecx", "edx", "edi", "memory", "cc");
  return result;
}

class Win32Library : public LoadedLibrary {
 public:
  explicit Win32Library(LibraryHandle handle) : handle_(std::move(handle)) {}

  bool HasFunction(std::string_view name) override { return Address(name) != nullptr; }
  std::optional<std::uint32_t> CallWithoutArguments(std::string_view name) override {
    const FARPROC function = Address(name);
    if (!function) return std::nullopt;
    return CallWithoutStackArguments(function);
  }
  std::optional<std::uint32_t> CallWithBlock(std::string_view name, std::span<std::byte> block) override {
    const FARPROC function = Address(name);
    if (!function) return std::nullopt;
    return CallWithStackArgument(function, block.data());
  }
  std::optional<std::uint32_t> CallWithStrings(std::string_view name, std::string_view first,
                                               std::string_view second, std::string_view third) override {
    const FARPROC function = Address(name);
    if (!function) return std::nullopt;
    using ThreeStrings = int(__cdecl*)(const char*, const char*, const char*);
    // Through the generic function type, which may be cast to any other.
    const auto call = reinterpret_cast<ThreeStrings>(reinterpret_cast<void (*)()>(function));
    return static_cast<std::uint32_t>(
        call(std::string(first).c_str(), std::string(second).c_str(), std::string(third).c_str()));
  }
  std::optional<std::int32_t> CallWithWindowPathAndFlags(std::string_view name, std::string_view path,
                                                         std::uint32_t flags) override {
    const FARPROC function = Address(name);
    if (!function) return std::nullopt;
    using WindowPathFlags = int(WINAPI*)(HWND, LPSTR, DWORD);
    const auto call = reinterpret_cast<WindowPathFlags>(reinterpret_cast<void (*)()>(function));
    std::string text(path);
    return call(::GetActiveWindow(), path.empty() ? nullptr : text.data(), flags);
  }

 private:
  FARPROC Address(std::string_view name) const {
    return ::GetProcAddress(handle_.get(), std::string(name).c_str());
  }

  LibraryHandle handle_;
};

}  // namespace

std::string Win32Shell::SpecialFolderPath(SpecialFolder folder) {
  LPITEMIDLIST received = nullptr;
  const HRESULT located = ::SHGetSpecialFolderLocation(nullptr, static_cast<int>(folder), &received);
  const ItemIdList list(received);
  if (FAILED(located) || !list) return {};
  char path[MAX_PATH + 1] = {};
  return ::SHGetPathFromIDListA(list.get(), path) ? std::string(path) : std::string();
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

std::unique_ptr<LoadedLibrary> Win32Shell::OpenLibrary(std::string_view name) {
  LibraryHandle handle(::LoadLibraryA(std::string(name).c_str()));
  if (!handle) return nullptr;
  return std::make_unique<Win32Library>(std::move(handle));
}

// Fonts

int Win32Shell::AddFontFile(std::string_view path) { return ::AddFontResourceA(std::string(path).c_str()); }

void Win32Shell::BroadcastFontChange() { ::SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }

}  // namespace tvx::win32
