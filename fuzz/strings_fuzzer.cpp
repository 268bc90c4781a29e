// Strings files: any bytes load, and every lookup answers from the table.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script/script_line_reader.h"
#include "script/string_table.h"
#include "support/recording_ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tvx::testing::RecordingUi ui;
  tvx::StringTable table;
  table.AppendAll(*tvx::PlainReaderOfBytes(std::string_view(reinterpret_cast<const char*>(data), size)));
  const auto& entries = table.entries();
  // Lookups are linear in the table: check the first entries only.
  for (std::size_t i = 0; i < entries.size() && i < 64; ++i) {
    const auto& entry = entries[i];
    const std::string found = table.LookupString(ui, entry.number);
    const std::string substituted = table.LookupString(ui, entry.number, "ARG");
    if (found.find("%s") == std::string::npos && substituted != found) std::abort();
    if (table.PositionOfText(entry.text) > static_cast<std::int32_t>(i)) std::abort();
    if (table.TextAtPosition(ui, static_cast<std::int32_t>(i)) != entry.text) std::abort();
    if (entry.text.size() > 2 && entry.text.front() == '[' && entry.text.back() == ']')
      table.SectionNumber(std::string_view(entry.text).substr(1, entry.text.size() - 2));
  }
  return 0;
}
