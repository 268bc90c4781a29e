// Stands in for the DirectX setup library: it writes what it was called with
// into Dsetup.seen beside itself and answers the number in Dsetup.answer
// there (0 when there is none).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string OwnFolder() {
  HMODULE self = nullptr;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnFolder), &self);
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

std::string ReadAll(const std::string& path) {
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[64];
  DWORD read = 0;
  ::ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  ::CloseHandle(file);
  return std::string(buffer, read);
}

void WriteAll(const std::string& path, const std::string& text) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

extern "C" __declspec(dllexport) int WINAPI DirectXSetupA(HWND window, LPSTR root, DWORD flags) {
  const std::string folder = OwnFolder();
  char flag_text[16];
  ::wsprintfA(flag_text, "0x%lx", flags);
  WriteAll(folder + "\\Dsetup.seen", std::string("window=") + (window ? "set" : "none") +
                                         " root=" + (root ? root : "(null)") + " flags=" + flag_text);
  const std::string answer = ReadAll(folder + "\\Dsetup.answer");
  return answer.empty() ? 0 : std::atoi(answer.c_str());
}
