// Initialization files such as SYSTEM.INI on a simulated disk: any bytes
// give an answer that fits the buffer, and an entry written there reads
// back.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/host/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first line names the section and the key to look for.
  const std::size_t end = text.find('\n');
  const std::string_view query = text.substr(0, end == std::string_view::npos ? 0 : end);
  const std::size_t split = query.find('/');
  const std::string_view section = query.substr(0, split);
  const std::string_view key = split == std::string_view::npos ? std::string_view() : query.substr(split + 1);
  for (const std::size_t buffer : {std::size_t{0}, std::size_t{1}, std::size_t{50}}) {
    const std::string answer = tvx::host::LookupProfileText(text, section, key, "No", buffer);
    if (buffer != 0 && answer.size() >= buffer) std::abort();
    if (buffer == 0 && !answer.empty()) std::abort();
  }
  // What is written reads back, for any key that can stand on a line of
  // its own: one without "=" that does not open like a section header.
  const std::string written = tvx::host::WithProfileEntry(text, section, key, "set");
  const bool plain_key = key.find('=') == std::string_view::npos && key.find('[') == std::string_view::npos;
  if (plain_key && tvx::host::LookupProfileText(written, section, key, "No", 50) != "set") std::abort();
  return 0;
}
