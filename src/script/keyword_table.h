// The script's keywords in matching order; a keyword's number is its place.
#pragma once

#include <cstdint>
#include <string_view>

namespace tvx {

enum class Keyword : std::int8_t {
  ApplicationName,
  Version,
  Languages,
  EndLanguages,
  CommonFiles,
  EndCommonFiles,
  LanguageFiles,
  EndLanguageFiles,
  CommonFonts,
  EndCommonFonts,
  DefaultPath,
  DataSource,
  SequenceAuto,
  Image,
  VolumeName,
  Nvc,
  Url,
  EndUrl,
  ButtonsPosition,
  Icon,
  UseTypeConfig,
  CreateLogFile,
  ErasableFiles,
  EndErasableFiles,
  NonVitalFiles,
  EndNonVitalFiles,
  VitalFiles,
  EndVitalFiles,
  SpaceRequired,
  ButtonGuide,
  DoNotEraseButtonGuides,
  WebButton,
  WebDesktopShortcut,
  Config,
  EndConfig,
  TypeConfig,
  HardwareComponents,
  SoftwareComponents,
  SpecificFiles,
  EndSpecificFiles,
  LanguageSpecificFiles,
  EndLanguageSpecificFiles,
  SpecificFonts,
  EndSpecificFonts,
  ProgramName,
  WorkingDirectory,
  PlayableConfig,
  WithoutCommonFiles,
  SkipShortcut,
  Shortcuts,
  EndShortcuts,
  IniSections,
  EndIniSections,
  ExeIsOnCd,
  CallDllFunction,
  LaunchExecutable,
  OperatingSystems,
  EndScript,
  TracingOn,
  DataLine,    // a line that begins with no keyword
  ParseAbort,  // the parser's own stop mark
};

inline constexpr int kKeywordCount = 59;

class KeywordTable {
 public:
  // The keyword's text as written in a script, such as "END CONFIG".
  static std::string_view Text(Keyword keyword);
  // The first keyword, in table order, that the line begins with (after an
  // optional "["); DataLine when none. Letter case counts.
  static Keyword Classify(std::string_view line);
};

}  // namespace tvx
