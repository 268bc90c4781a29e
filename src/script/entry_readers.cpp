#include "script/entry_readers.h"

#include <array>

#include "script/script_text.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

// The first fields as SplitField gives them, in one pass; false when one of
// the first needed_commas fields is the last field of the line.
template <std::size_t kCount>
bool CutFields(std::string_view line, std::size_t needed_commas, std::array<Field, kCount>& fields) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < kCount; ++i) {
    // Fields are short: a plain scan beats a library search per field.
    std::size_t comma = start;
    while (comma < line.size() && line[comma] != ',') ++comma;
    if (comma == line.size()) {
      // Past the last comma every further field is the rest of the line.
      for (std::size_t j = i; j < kCount; ++j) fields[j] = {line.substr(start), false};
      return i >= needed_commas;
    }
    fields[i] = {line.substr(start, comma - start), true};
    start = comma + 1;
  }
  return true;
}

void FillFileItem(CopyItem& item, const std::array<Field, 4>& fields) {
  item.source_name = fields[0].text;
  item.destination_name = fields[0].text;
  item.source_subdirectory = SourceSubdirectory(fields[1].text);
  item.destination_directory = DestinationDirectory(fields[2].text);
  item.size = BlocksOfBytes(ParseWholeNumber(fields[3].text));
}

bool OnlyWildcards(std::string_view name) { return name.find_first_not_of("?.*") == std::string_view::npos; }

}  // namespace

std::string SourceSubdirectory(std::string_view field) {
  std::string folder;
  if (field.empty()) return folder;
  folder.reserve(field.size() + 2);
  if (field.front() != '\\') folder += '\\';
  folder += field;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

std::string DestinationDirectory(std::string_view field) {
  std::string folder(field);
  if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
  return folder;
}

bool ReadLanguageLine(std::string_view line, LanguageTable& languages) {
  std::array<Field, 6> fields;
  if (!CutFields(line, 3, fields)) return false;
  languages.keys.emplace_back(fields[0].text);
  languages.labels.emplace_back(fields[1].text);
  languages.common_strings_files.emplace_back(fields[2].text);
  languages.product_strings_files.emplace_back(fields[3].text);
  if (fields[3].comma_follows) languages.fifth_fields.emplace_back(fields[4].text);
  if (fields[3].comma_follows && fields[4].comma_follows) languages.sixth_fields.emplace_back(fields[5].text);
  return true;
}

bool ReadFileLine(std::string_view line, CopyItemList& list) {
  std::array<Field, 5> fields;
  if (!CutFields(line, 3, fields)) return false;
  CopyItem& item = list.items.emplace_back();
  FillFileItem(item, {fields[0], fields[1], fields[2], fields[3]});
  if (fields[3].comma_follows) item.destination_name = fields[4].text;
  list.total += item.size;
  return true;
}

bool ReadLanguageFileLine(std::string_view line, CopyItemList& list, std::string& current_tag, Ui& ui) {
  if (SplitField(line, 1).text == "Language") {
    current_tag = SplitField(line, 2).text;
    return true;
  }
  std::array<Field, 4> fields;
  if (!CutFields(line, 3, fields)) return false;
  if (current_tag == "//")
    ui.ShowMessageBox(
        "Pas de langue d\xE9"
        "finie",
        "Liste des fichiers communs de langue", box::kOk);
  CopyItem& item = list.items.emplace_back();
  FillFileItem(item, fields);
  item.language_tag = current_tag;
  return true;
}

bool ReadFontLine(std::string_view line, std::string_view fonts_folder, CopyItemList& list) {
  std::array<Field, 4> fields;
  if (!CutFields(line, 3, fields)) return false;
  CopyItem item;
  item.source_name = fields[0].text;
  item.destination_name = fields[0].text;
  item.source_subdirectory = SourceSubdirectory(fields[1].text);
  item.destination_directory = std::string(fonts_folder) + "\\";
  item.size = BlocksOfBytes(ParseWholeNumber(fields[2].text));
  item.font_name = fields[3].text;
  item.font = true;
  list.Add(std::move(item));
  return true;
}

bool ReadNameLine(std::string_view line, bool erasable, std::vector<std::string>& names) {
  const std::string_view name = TrimBlanks(line);
  if (name.find_first_of(" \t,") != std::string_view::npos) return false;
  if (!(erasable && OnlyWildcards(name))) names.emplace_back(name);
  return true;
}

bool ReadPositionLine(std::string_view line, ScreenPosition& position) {
  const Field x = SplitField(line, 1);
  if (!x.comma_follows) return false;
  position = {ParseShortNumber(x.text), ParseShortNumber(SplitField(line, 2).text)};
  return true;
}

bool ReadHardwareLine(std::string_view line, DetectionCatalogue& tests, std::vector<Requirement>& list) {
  Requirement requirement;
  std::size_t at = std::string_view::npos;
  for (const char op : {'>', '<', '='}) {
    at = line.find(op);
    if (at == std::string_view::npos) continue;
    requirement.compare = op == '>'   ? Comparison::AtLeast
                          : op == '<' ? Comparison::AtMost
                                      : Comparison::Equal;
    requirement.value = ParseShortNumber(line.substr(at + 1));
    break;
  }
  if (at == std::string_view::npos) requirement.value = 1;
  requirement.test = FindTestIn(tests.HardwareTests(), TrimBlanks(line.substr(0, at)));
  if (!requirement.test) return false;
  list.push_back(std::move(requirement));
  return true;
}

bool ReadSoftwareLine(std::string_view line, DetectionCatalogue& tests, Configuration& configuration) {
  Requirement requirement;
  requirement.test = FindTestIn(tests.SoftwareTests(), SplitField(line, 1).text);
  if (!requirement.test) return false;
  requirement.value = 1;
  requirement.installer_path = SplitField(line, 2).text;
  requirement.installer_argument = SplitField(line, 3).text;
  const std::int32_t size = BlocksOfBytes(ParseWholeNumber(SplitField(line, 4).text));
  configuration.component_size += size;
  configuration.files.total += size;
  configuration.software.push_back(std::move(requirement));
  return true;
}

bool ReadShortcutLine(std::string_view line, ShortcutList& shortcuts) {
  std::array<Field, 5> fields;
  if (!CutFields(line, 4, fields)) return false;
  shortcuts.names.emplace_back(fields[0].text);
  shortcuts.programs.emplace_back(fields[1].text);
  shortcuts.icons.emplace_back(fields[2].text);
  shortcuts.arguments.emplace_back(fields[3].text);
  shortcuts.locations.emplace_back(fields[4].text);
  return true;
}

bool ReadIniLine(std::string_view line, IniEntries& ini) {
  std::array<Field, 2> fields;
  if (!CutFields(line, 1, fields)) return false;
  ini.keys.emplace_back(fields[0].text);
  ini.values.emplace_back(fields[1].text);
  return true;
}

bool ReadDllCallLine(std::string_view line, DllCall& call) {
  std::array<Field, 3> fields;
  if (!CutFields(line, 2, fields)) return false;
  call = {true, std::string(fields[0].text), std::string(fields[1].text), std::string(fields[2].text)};
  return true;
}

}  // namespace tvx
