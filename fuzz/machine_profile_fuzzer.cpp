// machine.json: any bytes give a profile or one error line, never a crash.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/host/machine_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  const auto profile =
      tvx::host::ParseMachineProfile(std::string(reinterpret_cast<const char*>(data), size), error);
  if (!profile && (error.empty() || error.find('\n') != std::string::npos)) std::abort();
  if (profile && profile->drives.empty()) std::abort();
  return 0;
}
