// The contract tests' backend under Wine: the real Win32 API.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/contract/contract_backend.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/win32/win32_platform.h"

namespace tvx::testing {
namespace {

// Wine maps / to Z:, where the process's own status names its Unix user.
bool RunsAsUnixRoot() {
  std::ifstream status("Z:/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Uid:", 0) != 0) continue;
    unsigned real = 0;
    unsigned effective = 0;
    std::istringstream(line.substr(4)) >> real >> effective;
    return effective == 0;
  }
  ADD_FAILURE() << "Wine's Unix user is not found in Z:/proc/self/status";
  return false;
}

// Wine's name for a file on the Unix side; empty on Windows.
std::string UnixFileName(const std::string& windows_path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  wchar_t wide[MAX_PATH + 1] = {};
  if (!convert || !::MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, wide, MAX_PATH)) return {};
  char* unix_name = convert(wide);
  if (!unix_name) return {};
  std::string name(unix_name);
  ::HeapFree(::GetProcessHeap(), 0, unix_name);
  return name;
}

// Wine starts a Unix program as a Windows one would be, with the standard
// handles given: its output goes to a file.
std::optional<std::string> RunUnixProgram(const std::string& command_line, const std::string& output_path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE output = ::CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) return std::nullopt;
  // Without a standard input of its own the Unix side is not started
  // when the test itself runs without one (as under ctest).
  const HANDLE input = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  std::string line = command_line;
  const BOOL started =
      ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  ::CloseHandle(output);
  if (input != INVALID_HANDLE_VALUE) ::CloseHandle(input);
  if (!started) return std::nullopt;
  ::WaitForSingleObject(process.hProcess, 30000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  // Wine does not follow a Unix child: its handle is signalled at once, so
  // the output is read once it stops growing.
  std::string previous;
  for (int tries = 0; tries < 100; ++tries) {
    ::Sleep(100);
    std::ifstream text(output_path, std::ios::binary);
    std::string now((std::istreambuf_iterator<char>(text)), {});
    if (!now.empty() && now == previous) return now;
    previous = std::move(now);
  }
  return previous;
}

class Win32ContractBackend : public ContractBackend {
 public:
  Win32ContractBackend() {
    static int counter = 0;
    scratch_ =
        "C:\\tvx-contract-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    platform().files.MakeDirectory(scratch_);
    platform().files.ChangeDirectory("C:\\");
  }
  ~Win32ContractBackend() override {
    platform().files.ChangeDirectory("C:\\");
    DeleteTree(platform().files, scratch_);
  }
  Platform& platform() override { return real_.platform(); }
  const std::string& scratch() const override { return scratch_; }
  bool real_api() const override { return true; }
  bool unix_root() const override { return unix_root_; }
  std::optional<std::string> Lnkinfo(const std::string& windows_path) override {
    const std::string unix_name = UnixFileName(windows_path);
    if (unix_name.empty()) return std::nullopt;
    return RunUnixProgram("Z:\\usr\\bin\\lnkinfo \"" + unix_name + "\"", scratch_ + "\\lnkinfo.txt");
  }
  std::string RunningProgram() const override {
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(AfterLastBackslash(path));
  }

 private:
  win32::Win32Platform real_;
  std::string scratch_;
  bool unix_root_ = RunsAsUnixRoot();
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<Win32ContractBackend>(); }

}  // namespace tvx::testing
