// The contract tests' backend under Wine: the real Win32 API.
#include <windows.h>

#include "platform/contract/contract_backend.h"
#include "platform/file_services.h"
#include "platform/win32/win32_platform.h"

namespace tvx::testing {
namespace {

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

 private:
  win32::Win32Platform real_;
  std::string scratch_;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<Win32ContractBackend>(); }

}  // namespace tvx::testing
