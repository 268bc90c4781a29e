// The localized strings of the chosen language: numbered texts in file
// order, looked up by number, by section header or by position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tvx {

class ScriptLineReader;
class Ui;

// What a lookup answers when the text is missing.
inline constexpr const char* kNullString = "N U L L  String !!";

class StringTable {
 public:
  struct Entry {
    std::int32_t number = -1;
    std::string text;

    bool operator==(const Entry&) const = default;
  };

  // One line of a strings file: "number:text", or a text alone with -1.
  static Entry ParseLine(std::string_view line);
  void Append(Entry entry);
  // Every significant line of the reader, in order.
  void AppendAll(ScriptLineReader& reader);

  // The first text with that number; its first "%s" replaced by a non-empty
  // argument. A missing number shows a message and answers kNullString.
  std::string LookupString(Ui& ui, std::int32_t number, std::string_view argument = {});
  // The number of the entry after the header "[key]"; 0 without one.
  std::int32_t SectionNumber(std::string_view key) const;
  // Position of the first entry with exactly this text; -1 without one.
  std::int32_t PositionOfText(std::string_view text) const;
  std::string TextAtPosition(Ui& ui, std::int32_t position) const;

  const std::vector<Entry>& entries() const { return entries_; }
  // The result of the last lookup that substituted its argument.
  const std::string& substitution_buffer() const { return substitution_; }

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::int32_t, std::size_t> first_with_number_;
  std::string substitution_;
};

}  // namespace tvx
