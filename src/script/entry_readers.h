// Readers of the data lines inside the script's sections; each answers
// whether it accepted the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script/configuration.h"
#include "script/detection_catalogue.h"
#include "script/install_script.h"

namespace tvx {

class Ui;

bool ReadLanguageLine(std::string_view line, LanguageTable& languages);
bool ReadFileLine(std::string_view line, CopyItemList& list);
// A "Language,tag" line changes current_tag; other lines are files of that tag.
bool ReadLanguageFileLine(std::string_view line, CopyItemList& list, std::string& current_tag, Ui& ui);
bool ReadFontLine(std::string_view line, std::string_view fonts_folder, CopyItemList& list);
// ERASABLE FILES passes erasable: names made only of "?", "." and "*" are dropped.
bool ReadNameLine(std::string_view line, bool erasable, std::vector<std::string>& names);
bool ReadPositionLine(std::string_view line, ScreenPosition& position);
bool ReadHardwareLine(std::string_view line, DetectionCatalogue& tests, std::vector<Requirement>& list);
bool ReadSoftwareLine(std::string_view line, DetectionCatalogue& tests, Configuration& configuration);
bool ReadShortcutLine(std::string_view line, ShortcutList& shortcuts);
bool ReadIniLine(std::string_view line, IniEntries& ini);
bool ReadDllCallLine(std::string_view line, DllCall& call);

// A folder field as the file lines keep it: "\dir\" and "dir\".
std::string SourceSubdirectory(std::string_view field);
std::string DestinationDirectory(std::string_view field);

}  // namespace tvx
