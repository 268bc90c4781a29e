#include "support/sample_payload.h"

#include "support/fixtures.h"

#include <algorithm>
#include <sstream>

#include <nlohmann/json.hpp>

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
    PayloadFile file{fields[1] + "\\" + fields[0], std::stoull(fonts ? fields[2] : fields[3]), fonts, {}};
    if (!fonts) {
      const std::string& name = fields.size() > 4 ? fields[4] : fields[0];
      file.destination = fields[2].empty() ? name : fields[2] + "\\" + name;
    }
    files.push_back(std::move(file));
  }
  return files;
}

std::string ClientSourceFolder(const std::string& script_text) {
  std::stringstream stream(script_text);
  std::string line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line != "[NVC]") continue;
    if (!std::getline(stream, line)) return {};
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  return {};
}

std::string SampleInstallProfile(const std::string& name) {
  nlohmann::json profile = nlohmann::json::parse(ReadHostText(ExampleProfile(name)));
  const std::string windows = profile["windows_directory"];
  profile["files"].push_back(
      {{"path", windows + "\\SYSTEM.INI"}, {"text", "[Drivers32]\r\nVIDC.IV32=ir32_32.dll\r\n"}});
  profile["libraries"]["D:\\Setup\\Zephset.dll"] = {{"ConfigureFull", 1}};
  // The disc's DirectX setup, beside the program, reports success.
  profile["libraries"]["D:\\Dsetup.dll"] = {{"DirectXSetupA", 0}};
  return profile.dump(2);
}

std::vector<PayloadFile> SamplePayload() {
  return ScriptPayload(ReadHostText(SampleDisc() / "InstData" / "tvx.ins"));
}

// A library needs a version to be copied at all.
void PutSamplePayload(TestMachine& machine, std::uintmax_t max_bytes) {
  for (const PayloadFile& file : SamplePayload()) {
    if (file.path.ends_with(".dll"))
      machine.WriteFile("D:\\" + file.path, ReadFixture("pe_version/ir50_32-5.6.2.15.dll"));
    else
      machine.WriteSizedFile("D:\\" + file.path, std::min(file.bytes, max_bytes));
  }
  const std::string client = ClientSourceFolder(ReadHostText(SampleDisc() / "InstData" / "tvx.ins"));
  if (client.empty()) return;
  for (const char* name : kClientPayload)
    machine.WriteFile("D:\\" + client + "\\" + name, std::string("client part ") + name);
}

void PutSamplePayloadIn(const std::filesystem::path& disc, std::uintmax_t max_bytes) {
  const auto place = [&disc](std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    std::filesystem::create_directories((disc / path).parent_path());
    return disc / path;
  };
  for (const PayloadFile& file : SamplePayload()) {
    const std::filesystem::path host = place(file.path);
    if (file.path.ends_with(".dll")) {
      WriteHostText(host, ReadFixture("pe_version/ir50_32-5.6.2.15.dll"));
    } else {
      // Each file starts with its own name, so that one copied in place of
      // another shows.
      const std::uintmax_t size = std::min(file.bytes, max_bytes);
      WriteHostText(host, file.path.substr(0, static_cast<std::size_t>(std::min<std::uintmax_t>(size, 64))));
      std::filesystem::resize_file(host, size);
    }
  }
  const std::string client = ClientSourceFolder(ReadHostText(SampleDisc() / "InstData" / "tvx.ins"));
  for (const char* name : kClientPayload)
    if (!client.empty()) WriteHostText(place(client + "\\" + name), std::string("client part ") + name);
}

}  // namespace tvx::testing
