#include "plan_report.h"

#include "install/font_registration.h"
#include "install/shared_count.h"
#include "platform/path_text.h"
#include "registry/product_registry_file.h"
#include "registry/registry_process_state.h"
#include "script_json.h"

namespace tvx::authoring {
namespace {

using Json = nlohmann::ordered_json;

Json Text(std::string_view text) { return Windows1252ToUtf8(text); }

const char* TypeName(RegistryType type) {
  switch (type) {
    case RegistryType::String:
      return "string";
    case RegistryType::ExpandString:
      return "expand-string";
    case RegistryType::Dword:
      return "dword";
    case RegistryType::MultiString:
      return "multi-string";
    case RegistryType::Binary:
      return "binary";
    case RegistryType::None:
      break;
  }
  return "none";
}

std::uint32_t NumberOf(const RegistryValue& value) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 4; ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
  return number;
}

Json ValueJson(const RegistryValue& value) {
  if (value.type == RegistryType::Dword && value.data.size() == 4) return NumberOf(value);
  if (value.type == RegistryType::String || value.type == RegistryType::ExpandString)
    return Text(value.Text());
  std::string hex;
  for (const char c : value.data) {
    static constexpr char kDigits[] = "0123456789abcdef";
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 15];
  }
  return hex;
}

bool UnderKey(const std::string& key, std::string_view wanted) {
  return EqualsNoCase(key, std::string("HKEY_LOCAL_MACHINE\\") + std::string(wanted));
}

// The file read last before this one was written, when it holds the
// same bytes: a file put together from others has no source.
Json SourceOf(const PlanFacts& facts, const std::string& path,
              const std::map<std::string, const MachineState::FileFacts*>& folded) {
  const auto source = facts.sources->find(AsciiLower(path));
  // A file rewritten from its own reading is no copy.
  if (source == facts.sources->end() || EqualsNoCase(source->second, path)) return {};
  const auto read = folded.find(AsciiLower(source->second));
  if (read == folded.end() || !(*read->second == facts.after->files.at(path))) return {};
  return Text(source->second);
}

Json Files(const PlanFacts& facts) {
  std::map<std::string, const MachineState::FileFacts*> folded;
  for (const auto& [path, file] : facts.after->files) folded[AsciiLower(path)] = &file;
  Json files = Json::array();
  for (const std::string& path : facts.changes.files_written) {
    files.push_back({{"source", SourceOf(facts, path, folded)},
                     {"destination", Text(path)},
                     {"size", facts.after->files.at(path).size}});
  }
  return files;
}

Json Registry(const PlanFacts& facts, Json& shared_counts) {
  Json values = Json::array();
  for (const auto& [key, name] : facts.changes.values_set) {
    const RegistryValue& value = facts.after->values.at({key, name});
    values.push_back({{"key", Text(key)},
                      {"name", Text(name)},
                      {"type", TypeName(value.type)},
                      {"value", ValueJson(value)}});
    if (UnderKey(key, kSharedDllsKey))
      shared_counts.push_back({{"library", Text(name)}, {"count", NumberOf(value)}});
  }
  Json keys = Json::array();
  for (const std::string& key : facts.changes.keys_made) keys.push_back(Text(key));
  return {{"keys_made", keys}, {"values", values}};
}

// A font's display name is the Fonts key's value that names its file.
Json Fonts(const PlanFacts& facts) {
  Json fonts = Json::array();
  for (const std::string& path : *facts.fonts) {
    Json name;
    for (const auto& [key, value_name] : facts.changes.values_set)
      if (UnderKey(key, kFontsKey) &&
          EqualsNoCase(facts.after->values.at({key, value_name}).Text(), AfterLastBackslash(path)))
        name = Text(value_name);
    fonts.push_back({{"file", Text(path)}, {"name", name}});
  }
  return fonts;
}

Json Shortcuts(const std::vector<ShellLink>& links) {
  Json shortcuts = Json::array();
  for (const ShellLink& link : links)
    shortcuts.push_back({{"file", Text(link.file)},
                         {"target", Text(link.target)},
                         {"arguments", Text(link.arguments)},
                         {"working_directory", Text(link.working_directory)},
                         {"icon", Text(link.icon_path)},
                         {"icon_index", link.icon_index}});
  return shortcuts;
}

Json IniJson(const std::pair<std::string, std::string>& entry, const std::string* value) {
  Json line = {{"section", Text(entry.first)}, {"key", Text(entry.second)}};
  if (value) line["value"] = Text(*value);
  return line;
}

Json Strings(const std::vector<std::string>& texts) {
  Json list = Json::array();
  for (const std::string& text : texts) list.push_back(Text(text));
  return list;
}

Json Removed(const PlanFacts& facts) {
  Json values = Json::array();
  for (const auto& [key, name] : facts.changes.values_removed)
    values.push_back({{"key", Text(key)}, {"name", Text(name)}});
  Json ini = Json::array();
  for (const auto& [entry, value] : facts.ini_before)
    if (!facts.ini_after.contains(entry)) ini.push_back(IniJson(entry, nullptr));
  return {{"files", Strings(facts.changes.files_removed)},
          {"directories", Strings(facts.changes.folders_removed)},
          {"registry_keys", Strings(facts.changes.keys_removed)},
          {"registry_values", values},
          {"tvx_ini", ini}};
}

}  // namespace

IniEntries ReadIniEntries(const std::string& text) {
  RegistryProcessState state;
  const ProductRegistryFile file(state, text);
  IniEntries entries;
  std::string section;
  for (const std::string& raw : file.lines()) {
    std::string_view line = raw;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    if (line.starts_with('[')) {
      section = std::string(
          line.substr(1, line.find(']') == std::string_view::npos ? line.size() - 1 : line.find(']') - 1));
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    entries[{section, std::string(line.substr(0, equals))}] = std::string(line.substr(equals + 1));
  }
  return entries;
}

void AddChanges(Json& plan, const PlanFacts& facts) {
  plan["directories"] = Strings(facts.changes.folders_made);
  plan["files"] = Files(facts);
  Json shared_counts = Json::array();
  Json registry = Registry(facts, shared_counts);
  plan["shared_counts"] = shared_counts;
  plan["fonts"] = Fonts(facts);
  plan["registry"] = registry;
  plan["shortcuts"] = Shortcuts(*facts.links);
  Json ini = Json::array();
  for (const auto& [entry, value] : facts.ini_after) {
    const auto found = facts.ini_before.find(entry);
    if (found == facts.ini_before.end() || found->second != value) ini.push_back(IniJson(entry, &value));
  }
  plan["tvx_ini"] = ini;
  plan["journal"] = Strings(facts.changes.journal);
  plan["removed"] = Removed(facts);
}

}  // namespace tvx::authoring
