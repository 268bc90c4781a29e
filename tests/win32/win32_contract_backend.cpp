// The contract tests' backend under Wine: the real Win32 API.
#include <windows.h>

#include <fstream>
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
