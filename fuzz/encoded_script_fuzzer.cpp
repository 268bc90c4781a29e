// Tvxins.dat: any bytes decipher to at most as many bytes and parse or
// fail cleanly.
#include <cstdint>
#include <string_view>

#include "script/encoded_script_file.h"
#include "script/script_parser.h"
#include "script_fuzz_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tvx::EncodedScriptFile container{tvx::ByteStream(bytes)};
  std::size_t deciphered = 0;
  while (container.ReadChar() >= 0) ++deciphered;
  if (deciphered > size) std::abort();

  tvx::testing::ScriptMachine& machine = tvx::fuzzing::SharedMachine();
  tvx::DetectionCatalogue tests;
  tvx::ScriptProcessState state;
  tvx::ScriptEnvironment environment{machine.platform(), state, tests, "D:\\InstData", {}};
  tvx::InstallScript script;
  const auto reader = tvx::EncodedReaderOfBytes(bytes);
  tvx::fuzzing::CheckModel(tvx::ParseScript(*reader, environment, script), script);
  return 0;
}
