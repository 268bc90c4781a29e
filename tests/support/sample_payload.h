// The files the sample script copies, put on a machine's disc: the sample
// disc in the repository holds only its install data.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "support/test_machine.h"

namespace tvx::testing {

struct PayloadFile {
  std::string path;  // on the disc, from its root: "Program\Zephra.exe"
  std::uintmax_t bytes = 0;
  bool font = false;
  std::string destination;  // the script's destination folder and name: "Data\Zephra.dat"
};

// Every file and font the script's lists name, with the sizes they give.
std::vector<PayloadFile> ScriptPayload(const std::string& script_text);
std::vector<PayloadFile> SamplePayload();

// An example profile (by name) ready for the sample's installation: its
// SYSTEM.INI names the Indeo codec the configurations ask for, and the
// disc's library for the configuration's call answers success.
std::string SampleInstallProfile(const std::string& name);

// The online-service client's folder that the script's NVC entry names on
// the disc; empty when the script offers no client.
std::string ClientSourceFolder(const std::string& script_text);
// The files the client's installer looks for in its folder on the disc.
inline constexpr const char* kClientPayload[] = {"Startup.exe", "Client.exe", "Client.dll", "svrapi.dll",
                                                 "secur32.dll"};

// Each one as a file of that size, or of max_bytes when smaller, on drive
// D: (zero bytes, sparse on the host); and the client's files in its folder.
void PutSamplePayload(TestMachine& machine,
                      std::uintmax_t max_bytes = std::numeric_limits<std::uintmax_t>::max());

// The same files in a disc folder on the host, below its root.
void PutSamplePayloadIn(const std::filesystem::path& disc,
                        std::uintmax_t max_bytes = std::numeric_limits<std::uintmax_t>::max());

}  // namespace tvx::testing
