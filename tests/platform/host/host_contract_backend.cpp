// The contract tests' backend on the host: a fresh simulated machine.
#include "platform/contract/contract_backend.h"
#include "support/test_machine.h"

#include <cstdio>
#include <memory>

namespace tvx::testing {
namespace {

TestMachine::Options WithARunningProgram() {
  TestMachine::Options options;
  options.profile_json = PatchedProfile(R"({"processes": [{"executable": "C:\\GAMES\\TVXRUN.EXE"}]})");
  return options;
}

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
  std::string RunningProgram() const override { return "TVXRUN.EXE"; }
  std::optional<std::string> Lnkinfo(const std::string& windows_path) override {
    std::string quoted = "'";
    for (char c : machine_.HostPath(windows_path).string())
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    std::unique_ptr<FILE, int (*)(FILE*)> reader(::popen(("lnkinfo " + quoted + "' 2>&1").c_str(), "r"),
                                                 ::pclose);
    if (!reader) return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, reader.get())) > 0;)
      output.append(buffer, n);
    return output;
  }

 private:
  TestMachine machine_{WithARunningProgram()};
  std::string scratch_ = "C:\\scratch";
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<HostContractBackend>(); }

}  // namespace tvx::testing
