#include "script/string_table.h"

#include "script/script_line_reader.h"
#include "script/script_text.h"
#include "ui/plain_message.h"

namespace tvx {

StringTable::Entry StringTable::ParseLine(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {-1, std::string(line)};
  return {ParseWholeNumber(line.substr(0, colon)), std::string(line.substr(colon + 1))};
}

void StringTable::Append(Entry entry) {
  first_with_number_.emplace(entry.number, entries_.size());
  entries_.push_back(std::move(entry));
}

void StringTable::AppendAll(ScriptLineReader& reader) {
  for (std::string_view line = reader.NextSignificantLine(); !line.empty();
       line = reader.NextSignificantLine())
    Append(ParseLine(line));
}

std::string StringTable::LookupString(Ui& ui, std::int32_t number, std::string_view argument) {
  const auto found = first_with_number_.find(number);
  if (found == first_with_number_.end()) {
    ShowPlainMessage(ui,
                     "Erreur de cha\xEE"
                     "ne\nid=" +
                         std::to_string(number));
    return kNullString;
  }
  const std::string& text = entries_[found->second].text;
  const std::size_t mark = argument.empty() ? std::string::npos : text.find("%s");
  if (mark == std::string::npos) return text;
  substitution_.assign(text, 0, mark);
  substitution_ += argument;
  substitution_.append(text, mark + 2);
  return substitution_;
}

std::int32_t StringTable::SectionNumber(std::string_view key) const {
  const std::string header = "[" + std::string(key) + "]";
  const std::int32_t position = PositionOfText(header);
  if (position < 0 || static_cast<std::size_t>(position) + 1 >= entries_.size()) return 0;
  return entries_[position + 1].number;
}

std::int32_t StringTable::PositionOfText(std::string_view text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].text == text) return static_cast<std::int32_t>(i);
  return -1;
}

std::string StringTable::TextAtPosition(Ui& ui, std::int32_t position) const {
  if (position >= 0 && static_cast<std::size_t>(position) < entries_.size()) return entries_[position].text;
  ShowPlainMessage(ui,
                   "Erreur de cha\xEE"
                   "ne\nRank=" +
                       std::to_string(position));
  return kNullString;
}

}  // namespace tvx
