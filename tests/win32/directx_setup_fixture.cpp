// Stands in for the DirectX setup library: it writes what it was called with
// into Dsetup.seen beside itself and answers the number in Dsetup.answer
// there (0 when there is none).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "fixture_files.h"

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

}  // namespace

extern "C" __declspec(dllexport) int WINAPI DirectXSetupA(HWND window, LPSTR root, DWORD flags) {
  const std::string folder = OwnFolder();
  char flag_text[16];
  ::wsprintfA(flag_text, "0x%lx", flags);
  fixture::WriteWhole(folder + "\\Dsetup.seen", std::string("window=") + (window ? "set" : "none") +
                                                    " root=" + (root ? root : "(null)") +
                                                    " flags=" + flag_text);
  return std::atoi(fixture::ReadWhole(folder + "\\Dsetup.answer").value_or("0").c_str());
}
