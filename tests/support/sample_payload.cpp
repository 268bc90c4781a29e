#include "support/sample_payload.h"

#include <sstream>

namespace tvx::testing {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, ',')) fields.push_back(field);
  return fields;
}

bool IsFileSection(const std::string& section) {
  return section.find("FILES]") != std::string::npos && section != "[ERASABLE FILES]" &&
         section != "[NON VITAL FILES]" && section != "[VITAL FILES]";
}

}  // namespace

std::vector<PayloadFile> ScriptPayload(const std::string& script_text) {
  std::vector<PayloadFile> files;
  std::stringstream stream(script_text);
  std::string line;
  std::string section;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.starts_with("//")) continue;
    if (line.front() == '[') {
      section = line;
      continue;
    }
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() < 3 || fields[0] == "Language") continue;
    const bool fonts = section.find("FONTS]") != std::string::npos;
    if (!fonts && (!IsFileSection(section) || fields.size() < 4)) continue;
    files.push_back({fields[1] + "\\" + fields[0], std::stoull(fonts ? fields[2] : fields[3])});
  }
  return files;
}

void PutSamplePayload(TestMachine& machine) {
  for (const PayloadFile& file : ScriptPayload(ReadHostText(SampleDisc() / "InstData" / "tvx.ins")))
    machine.WriteSizedFile("D:\\" + file.path, file.bytes);
}

}  // namespace tvx::testing
