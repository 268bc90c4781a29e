// A product's own library as the installation calls it right after the
// copy: it copies the log it was given, with the three strings, into
// <data path>\seen.txt, and answers the number in <data path>\answer.txt
// (1 when there is none). Built again under the sample's entry name for the
// sample disc.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(none)";
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  ::CloseHandle(file);
  return text;
}

void WriteAll(const std::string& path, const std::string& text) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

#ifndef TVX_HOOK_ENTRY
#define TVX_HOOK_ENTRY TvxHookSetup
#endif

extern "C" __declspec(dllexport) int __cdecl TVX_HOOK_ENTRY(const char* log, const char* data,
                                                            const char* folder) {
  const std::string data_path(data);
  WriteAll(data_path + "\\seen.txt",
           std::string("log=") + log + "\ndata=" + data + "\nfolder=" + folder + "\n" + ReadAll(log));
  const std::string answer = ReadAll(data_path + "\\answer.txt");
  return answer == "(none)" ? 1 : std::atoi(answer.c_str());
}
