#include "script/keyword_table.h"

#include <array>
#include <vector>

namespace tvx {
namespace {

constexpr std::array<std::string_view, kKeywordCount> kTexts = {
    "APPLICATION NAME",
    "VERSION",
    "LANGUAGES",
    "END LANGUAGES",
    "COMMON FILES",
    "END COMMON FILES",
    "LANGUAGE FILES",
    "END LANGUAGE FILES",
    "COMMON FONTS",
    "END COMMON FONTS",
    "DEFAULT PATH",
    "DATA SOURCE",
    "SEQUENCE AUTO",
    "IMAGE",
    "VOLUME NAME",
    "NVC",
    "URL",
    "END URL",
    "BUTTONS POSITION",
    "ICON",
    "USE TYPE CONFIG",
    "CREATE LOG FILE",
    "ERASABLE FILES",
    "END ERASABLE FILES",
    "NON VITAL FILES",
    "END NON VITAL FILES",
    "VITAL FILES",
    "END VITAL FILES",
    "SPACE REQUIRED",
    "BUTTON GUIDE",
    "DO NOT ERASE BUTTON GUIDES",
    "WEB BUTTON",
    "WEB DESKTOP SHORTCUT",
    "CONFIG",
    "END CONFIG",
    "TYPE CONFIG",
    "HARDWARE COMPONENTS",
    "SOFTWARE COMPONENTS",
    "SPECIFIC FILES",
    "END SPECIFIC FILES",
    "LANGUAGE SPECIFIC FILES",
    "END LANGUAGE SPECIFIC FILES",
    "SPECIFIC FONTS",
    "END SPECIFIC FONTS",
    "PROGRAM NAME",
    "WORKING DIRECTORY",
    "PLAYABLE CONFIG",
    "WITHOUT COMMON FILES",
    "SKIP SHORTCUT",
    "SHORTCUTS",
    "END SHORTCUTS",
    "INI SECTIONS",
    "END INI SECTIONS",
    "EXE IS ON CD",
    "CALL DLL FUNCTION",
    "LAUNCH EXECUTABLE",
    "OPERATING SYSTEMS",
    "END SCRIPT",
    "TRACING ON",
};

// Keywords grouped by first character, each group in table order, so a
// line is compared only with the keywords that can match it.
struct FirstCharacterIndex {
  std::array<std::vector<std::int8_t>, 256> groups;
  FirstCharacterIndex() {
    for (int i = 0; i < kKeywordCount; ++i)
      groups[static_cast<unsigned char>(kTexts[i][0])].push_back(static_cast<std::int8_t>(i));
  }
};

const FirstCharacterIndex& Index() {
  static const FirstCharacterIndex index;
  return index;
}

}  // namespace

std::string_view KeywordTable::Text(Keyword keyword) {
  const int number = static_cast<int>(keyword);
  return number >= 0 && number < kKeywordCount ? kTexts[number] : std::string_view();
}

Keyword KeywordTable::Classify(std::string_view line) {
  if (line.starts_with('[')) line.remove_prefix(1);
  if (line.empty()) return Keyword::DataLine;
  for (const std::int8_t number : Index().groups[static_cast<unsigned char>(line[0])]) {
    const std::string_view text = kTexts[number];
    // Every keyword has two characters or more: test the second one first.
    if (line.size() >= text.size() && line[1] == text[1] && line.starts_with(text))
      return static_cast<Keyword>(number);
  }
  return Keyword::DataLine;
}

}  // namespace tvx
