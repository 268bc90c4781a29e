// Simulated machines for the probe tests: the default test profile with
// parts replaced, and a way to reach its files from the host.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "support/test_machine.h"

namespace tvx::testing {

// The default profile with a JSON merge patch applied (objects merge,
// arrays and values replace).
std::string PatchedProfile(const std::string& patch_json);
std::unique_ptr<TestMachine> MachineWith(const std::string& patch_json);

// Writes a host file on the machine, folders included, past the seam (so
// that CD-ROM drives can be given contents).
void PutFile(TestMachine& machine, const std::string& windows_path, const std::string& contents);
// A file of that size without writing its bytes.
void PutSizedFile(TestMachine& machine, const std::string& windows_path, std::uintmax_t size);
// The bytes of a fixture under tests/data.
std::string FixtureBytes(const std::string& relative_path);

}  // namespace tvx::testing
