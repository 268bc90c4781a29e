// tvx.ins: any bytes parse or fail with an error line, never a crash.
#include <cstdint>
#include <string_view>

#include "script/script_parser.h"
#include "script_fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tvx::testing::ScriptMachine& machine = tvx::fuzzing::SharedMachine();
  tvx::DetectionCatalogue tests;
  tvx::ScriptProcessState state;
  tvx::ScriptEnvironment environment{machine.platform(), state, tests, "D:\\InstData", {}};
  tvx::InstallScript script;
  const auto reader = tvx::PlainReaderOfBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const bool ok = tvx::ParseScript(*reader, environment, script);
  tvx::fuzzing::CheckModel(ok, script);
  if (script.load.error_line > reader->line_count()) std::abort();
  return 0;
}
