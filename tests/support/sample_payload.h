// The files the sample script copies, put on a machine's disc: the sample
// disc in the repository holds only its install data.
#pragma once

#include <string>
#include <vector>

#include "support/test_machine.h"

namespace tvx::testing {

struct PayloadFile {
  std::string path;  // on the disc, from its root: "Program\Zephra.exe"
  std::uintmax_t bytes = 0;
};

// Every file and font the script's lists name, with the sizes they give.
std::vector<PayloadFile> ScriptPayload(const std::string& script_text);

// Each one as a file of that size on drive D: (zero bytes, sparse on the
// host); the DLL call's library and data file beside them.
void PutSamplePayload(TestMachine& machine);

}  // namespace tvx::testing
