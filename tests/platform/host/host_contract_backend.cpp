// The contract tests' backend on the host: a fresh simulated machine.
#include "platform/contract/contract_backend.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

class HostContractBackend : public ContractBackend {
 public:
  HostContractBackend() {
    platform().files.MakeDirectory(scratch_);
    platform().files.ChangeDirectory("C:\\");
  }
  Platform& platform() override { return machine_.platform(); }
  const std::string& scratch() const override { return scratch_; }
  bool real_api() const override { return false; }
  bool unix_root() const override { return false; }

 private:
  TestMachine machine_;
  std::string scratch_ = "C:\\scratch";
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<HostContractBackend>(); }

}  // namespace tvx::testing
