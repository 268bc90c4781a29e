// Stands in for a component's setup program: it writes its command line into
// NAME.seen beside itself and exits with the number in NAME.answer there (0
// when there is none), NAME being its own file name without ".exe".
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string OwnPathWithoutExtension() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string own(path, length);
  const std::size_t dot = own.find_last_of('.');
  return dot == std::string::npos ? own : own.substr(0, dot);
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

int main() {
  const std::string base = OwnPathWithoutExtension();
  WriteAll(base + ".seen", ::GetCommandLineA());
  const std::string answer = ReadAll(base + ".answer");
  return answer.empty() ? 0 : std::atoi(answer.c_str());
}
