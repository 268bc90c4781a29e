#include "script_json.h"

#include <array>

namespace tvx::authoring {
namespace {

using json = nlohmann::ordered_json;

// Code points of 0x80-0x9F; 0 marks the five bytes Windows-1252 leaves
// undefined, shown as U+FFFD.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void PutUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

json Text(std::string_view text) { return Windows1252ToUtf8(text); }

json Texts(const std::vector<std::string>& texts) {
  json list = json::array();
  for (const std::string& text : texts) list.push_back(Text(text));
  return list;
}

json Position(const ScreenPosition& position) { return {{"x", position.x}, {"y", position.y}}; }

json CopyItemJson(const CopyItem& item) {
  return {{"source_name", Text(item.source_name)},
          {"destination_name", Text(item.destination_name)},
          {"source_subdirectory", Text(item.source_subdirectory)},
          {"destination_directory", Text(item.destination_directory)},
          {"size", item.size},
          {"font", item.font},
          {"unlogged", item.unlogged},
          {"language_tag", Text(item.language_tag)},
          {"font_name", Text(item.font_name)}};
}

json CopyListJson(const CopyItemList& list) {
  json items = json::array();
  for (const CopyItem& item : list.items) items.push_back(CopyItemJson(item));
  return {{"total", list.total}, {"items", items}};
}

json RequirementsJson(const std::vector<Requirement>& requirements) {
  json list = json::array();
  for (const Requirement& requirement : requirements)
    list.push_back({{"test", requirement.test ? Text(requirement.test->name) : json()},
                    {"compare", ComparisonName(requirement.compare)},
                    {"value", requirement.value},
                    {"rebase", requirement.rebase},
                    {"installer_path", Text(requirement.installer_path)},
                    {"installer_argument", Text(requirement.installer_argument)},
                    {"selected", requirement.selected}});
  return list;
}

json ShortcutsJson(const ShortcutList& shortcuts) {
  return {{"names", Texts(shortcuts.names)},
          {"programs", Texts(shortcuts.programs)},
          {"icons", Texts(shortcuts.icons)},
          {"arguments", Texts(shortcuts.arguments)},
          {"locations", Texts(shortcuts.locations)}};
}

json ConfigurationJson(const Configuration& c) {
  return {{"name", Text(c.name)},
          {"type", Text(c.type)},
          {"program_name", Text(c.program_name)},
          {"working_directory", Text(c.working_directory)},
          {"selectable", c.selectable},
          {"requirements_met", c.requirements_met},
          {"hardware", RequirementsJson(c.hardware)},
          {"software", RequirementsJson(c.software)},
          {"system", RequirementsJson(c.system)},
          {"files", CopyListJson(c.files)},
          {"language_files", CopyListJson(c.language_files)},
          {"language_files_merged", c.language_files_merged},
          {"playable", c.playable},
          {"without_common_files", c.without_common_files},
          {"dll_call",
           {{"present", c.dll_call.present},
            {"dll_path", Text(c.dll_call.dll_path)},
            {"function_name", Text(c.dll_call.function_name)},
            {"data_path", Text(c.dll_call.data_path)}}},
          {"launch", c.launch},
          {"launch_command", Text(c.launch_command)},
          {"skip_shortcut", c.skip_shortcut},
          {"shortcuts", ShortcutsJson(c.shortcuts)},
          {"ini", {{"keys", Texts(c.ini.keys)}, {"values", Texts(c.ini.values)}}},
          {"exe_on_cd", c.exe_on_cd},
          {"component_size", c.component_size}};
}

json LanguagesJson(const LanguageTable& languages) {
  return {{"keys", Texts(languages.keys)},
          {"labels", Texts(languages.labels)},
          {"common_strings_files", Texts(languages.common_strings_files)},
          {"product_strings_files", Texts(languages.product_strings_files)},
          {"fifth_fields", Texts(languages.fifth_fields)},
          {"sixth_fields", Texts(languages.sixth_fields)}};
}

json PositionsJson(const std::array<ScreenPosition, 4>& positions) {
  json list = json::array();
  for (const ScreenPosition& position : positions) list.push_back(Position(position));
  return list;
}

json ProcessJson(const ScriptProcessState& state) {
  return {{"use_type_config", state.use_type_config},
          {"button_guide", state.button_guide},
          {"keep_guides", state.keep_guides},
          {"client_startup_version", Text(state.client_startup_version)},
          {"client_version", Text(state.client_version)},
          {"client_library_version", Text(state.client_library_version)},
          {"product_library_version", Text(state.product_library_version)},
          {"language_tag", Text(state.language_tag)}};
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    char32_t code = byte;
    if (byte >= 0x80 && byte < 0xA0) code = kHighControls[byte - 0x80] ? kHighControls[byte - 0x80] : 0xFFFD;
    PutUtf8(out, code);
  }
  return out;
}

nlohmann::ordered_json ScriptToJson(const InstallScript& script, const ScriptProcessState& state) {
  json configurations = json::array();
  for (const Configuration& configuration : script.configurations)
    configurations.push_back(ConfigurationJson(configuration));
  return {{"load",
           {{"path", Text(script.load.path)},
            {"encoded", script.load.encoded},
            {"error_line", script.load.error_line}}},
          {"application_name", Text(script.application_name)},
          {"version", Text(script.version)},
          {"default_path", Text(script.default_path)},
          {"data_source", Text(script.data_source)},
          {"image", Text(script.image)},
          {"volume_name", Text(script.volume_name)},
          {"icon", Text(script.icon)},
          {"memory_requirement", script.memory_requirement},
          {"sequence_auto", script.sequence_auto},
          {"create_log", script.create_log},
          {"languages", LanguagesJson(script.languages)},
          {"common_files", CopyListJson(script.common_files)},
          {"common_language_files", CopyListJson(script.common_language_files)},
          {"erasable_files", Texts(script.erasable_files)},
          {"non_vital_files", Texts(script.non_vital_files)},
          {"vital_files", Texts(script.vital_files)},
          {"web_addresses", Texts(script.web_addresses)},
          {"client_offered", script.client_offered},
          {"client_folder", Text(script.client_folder)},
          {"button_positions", PositionsJson(script.button_positions)},
          {"guide_positions", PositionsJson(script.guide_positions)},
          {"web_button",
           {{"present", script.web_button},
            {"address", Text(script.web_button_address)},
            {"position", Position(script.web_button_position)}}},
          {"web_desktop_shortcut",
           {{"present", script.web_shortcut},
            {"name", Text(script.web_shortcut_name)},
            {"address", Text(script.web_shortcut_address)}}},
          {"configurations", configurations},
          {"process", ProcessJson(state)}};
}

}  // namespace tvx::authoring
