#include "script/script_parser.h"

#include <optional>
#include <span>

#include "platform/path_text.h"
#include "script/entry_readers.h"
#include "script/keyword_table.h"
#include "script/script_text.h"
#include "script/system_condition.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

class ScriptParser {
 public:
  ScriptParser(ScriptLineReader& reader, ScriptEnvironment& environment, InstallScript& script)
      : reader_(reader), env_(environment), ui_(environment.platform.ui), script_(script) {}

  bool Run();

 private:
  enum class ListEnd { Closed, Refused, WrongKeyword, EndOfFile };

  std::string_view Next();
  std::string Value();
  void TopLevel(Keyword keyword);
  bool TopValue(Keyword keyword);
  bool TopFixedLines(Keyword keyword);
  void ReadVolumeName();
  void ReadClientLines();
  void ReadPositions(std::span<ScreenPosition> positions);
  template <typename EntryReader>
  ListEnd ReadClosedList(Keyword end, EntryReader read_entry);
  template <typename EntryReader>
  void ReadTopList(Keyword end, EntryReader read_entry);
  bool TopList(Keyword keyword);
  void ReadVitalList(Keyword keyword, std::vector<std::string>& names);

  void ReadConfigBlock();
  bool ConfigValue(Keyword keyword, Configuration& configuration);
  bool ConfigFlag(Keyword keyword, Configuration& configuration);
  std::optional<ListEnd> ConfigList(Keyword keyword, Configuration& configuration);
  bool ConfigStatement(Keyword keyword, Configuration& configuration);
  Keyword NextKeyword();
  // The keyword that ended the list, or ParseAbort when parsing must stop.
  Keyword ReadOpenList(Keyword keyword, Configuration& configuration);
  void DropConfiguration();
  const std::string& FontsFolder();

  ScriptLineReader& reader_;
  ScriptEnvironment& env_;
  Ui& ui_;
  InstallScript& script_;
  bool end_of_file_ = false;
  bool stop_ = false;   // corrupted: parsing stops
  bool abort_ = false;  // an entry was refused
  bool last_config_ended_ = true;
  bool end_script_ = false;
  bool vital_list_seen_ = false;
  std::optional<std::string> fonts_folder_;
};

std::string_view ScriptParser::Next() {
  const std::string_view line = reader_.NextSignificantLine();
  // A script must end with END SCRIPT: running out of lines is corruption.
  if (line.empty()) end_of_file_ = stop_ = true;
  return line;
}

std::string ScriptParser::Value() { return std::string(Next()); }

bool ScriptParser::Run() {
  env_.state.language_tag.clear();
  while (!stop_ && !abort_ && !end_script_) {
    const std::string_view line = Next();
    if (end_of_file_) break;
    TopLevel(KeywordTable::Classify(line));
  }
  ApplyPostParseRules(env_, script_);
  const bool success = end_script_ && !stop_ && !abort_ && last_config_ended_;
  script_.load.error_line = success ? -1 : reader_.line_count();
  return success;
}

void ScriptParser::TopLevel(Keyword keyword) {
  if (TopValue(keyword) || TopFixedLines(keyword) || TopList(keyword)) return;
  switch (keyword) {
    case Keyword::SequenceAuto:
      script_.sequence_auto = true;
      break;
    case Keyword::UseTypeConfig:
      env_.state.use_type_config = true;
      break;
    case Keyword::CreateLogFile:
      script_.create_log = true;
      break;
    case Keyword::DoNotEraseButtonGuides:
      env_.state.keep_guides = true;
      break;
    case Keyword::Config:
      ReadConfigBlock();
      break;
    case Keyword::EndScript:
      end_script_ = true;
      break;
    default:  // TRACING ON, misplaced keywords and data lines
      break;
  }
}

bool ScriptParser::TopValue(Keyword keyword) {
  switch (keyword) {
    case Keyword::ApplicationName:
      script_.application_name = Value();
      return true;
    case Keyword::Version:
      script_.version = Value();
      return true;
    case Keyword::DefaultPath:
      script_.default_path = Value();
      return true;
    case Keyword::DataSource:
      ShowPlainMessage(ui_, "Enlevez [DATA SOURCE] dans le script pour un master");
      script_.data_source = Value();
      return true;
    case Keyword::Image:
      script_.image = Value();
      return true;
    case Keyword::VolumeName:
      ReadVolumeName();
      return true;
    case Keyword::Icon:
      script_.icon = Value();
      return true;
    case Keyword::SpaceRequired:
      script_.memory_requirement = ParseWholeNumber(Next());
      return true;
    default:
      return false;
  }
}

void ScriptParser::ReadVolumeName() {
  script_.volume_name = Value();
  if (end_of_file_) return;
  if (!EqualsNoCase(script_.volume_name, kMasterVolumeName))
    ShowPlainMessage(ui_, "Can't use this patch for " + script_.volume_name);
  if (script_.volume_name == "<empty>") script_.volume_name.clear();
}

bool ScriptParser::TopFixedLines(Keyword keyword) {
  switch (keyword) {
    case Keyword::ButtonsPosition:
      ReadPositions(script_.button_positions);
      return true;
    case Keyword::ButtonGuide:
      env_.state.button_guide = true;
      ReadPositions(script_.guide_positions);
      return true;
    case Keyword::Nvc:
      ReadClientLines();
      return true;
    case Keyword::WebButton:
      script_.web_button = true;
      script_.web_button_address = Value();
      if (!end_of_file_) ReadPositions(std::span(&script_.web_button_position, 1));
      return true;
    case Keyword::WebDesktopShortcut:
      script_.web_shortcut = true;
      script_.web_shortcut_name = Value();
      if (!end_of_file_) script_.web_shortcut_address = Value();
      return true;
    default:
      return false;
  }
}

void ScriptParser::ReadClientLines() {
  script_.client_offered = true;
  ScriptProcessState& state = env_.state;
  for (std::string* text : {&script_.client_folder, &state.client_startup_version, &state.client_version,
                            &state.client_library_version, &state.product_library_version}) {
    *text = Value();
    if (end_of_file_) return;
  }
}

void ScriptParser::ReadPositions(std::span<ScreenPosition> positions) {
  // A bad position spoils the script, but the section's lines are still
  // taken so that the error line is the section's last.
  bool refused = false;
  for (ScreenPosition& position : positions) {
    const std::string_view line = Next();
    if (end_of_file_) return;
    if (!ReadPositionLine(line, position)) refused = true;
  }
  if (refused) stop_ = true;
}

template <typename EntryReader>
ScriptParser::ListEnd ScriptParser::ReadClosedList(Keyword end, EntryReader read_entry) {
  for (;;) {
    const std::string_view line = Next();
    if (end_of_file_) return ListEnd::EndOfFile;
    const Keyword keyword = KeywordTable::Classify(line);
    if (keyword == end) return ListEnd::Closed;
    if (keyword != Keyword::DataLine) return ListEnd::WrongKeyword;
    if (!read_entry(line)) return ListEnd::Refused;
  }
}

template <typename EntryReader>
void ScriptParser::ReadTopList(Keyword end, EntryReader read_entry) {
  switch (ReadClosedList(end, read_entry)) {
    case ListEnd::Refused:
      abort_ = true;
      break;
    case ListEnd::WrongKeyword:
    case ListEnd::EndOfFile:
      stop_ = true;
      break;
    case ListEnd::Closed:
      break;
  }
}

bool ScriptParser::TopList(Keyword keyword) {
  std::string& tag = env_.state.language_tag;
  switch (keyword) {
    case Keyword::Languages:
      ReadTopList(Keyword::EndLanguages,
                  [&](std::string_view l) { return ReadLanguageLine(l, script_.languages); });
      return true;
    case Keyword::CommonFiles:
      ReadTopList(Keyword::EndCommonFiles,
                  [&](std::string_view l) { return ReadFileLine(l, script_.common_files); });
      return true;
    case Keyword::LanguageFiles:
      ReadTopList(Keyword::EndLanguageFiles, [&](std::string_view l) {
        return ReadLanguageFileLine(l, script_.common_language_files, tag, ui_);
      });
      return true;
    case Keyword::CommonFonts:
      ReadTopList(Keyword::EndCommonFonts,
                  [&](std::string_view l) { return ReadFontLine(l, FontsFolder(), script_.common_files); });
      return true;
    case Keyword::Url:
      ReadTopList(Keyword::EndUrl, [&](std::string_view l) {
        script_.web_addresses.emplace_back(l);
        return true;
      });
      return true;
    case Keyword::ErasableFiles:
      ReadTopList(Keyword::EndErasableFiles,
                  [&](std::string_view l) { return ReadNameLine(l, true, script_.erasable_files); });
      return true;
    case Keyword::NonVitalFiles:
      ReadVitalList(Keyword::EndNonVitalFiles, script_.non_vital_files);
      return true;
    case Keyword::VitalFiles:
      ReadVitalList(Keyword::EndVitalFiles, script_.vital_files);
      return true;
    default:
      return false;
  }
}

void ScriptParser::ReadVitalList(Keyword end, std::vector<std::string>& names) {
  // One list of vital or non-vital names per script, never both.
  if (vital_list_seen_) {
    stop_ = true;
    return;
  }
  vital_list_seen_ = true;
  ReadTopList(end, [&](std::string_view l) { return ReadNameLine(l, false, names); });
}

const std::string& ScriptParser::FontsFolder() {
  if (!fonts_folder_) fonts_folder_ = env_.platform.shell.SpecialFolderPath(SpecialFolder::Fonts);
  return *fonts_folder_;
}

void ScriptParser::ReadConfigBlock() {
  script_.configurations.emplace_back();
  Configuration& configuration = script_.configurations.back();
  Keyword keyword = NextKeyword();
  while (!end_of_file_) {
    if (keyword == Keyword::EndConfig) {
      last_config_ended_ = true;
      return;
    }
    if (keyword == Keyword::DataLine) {
      last_config_ended_ = false;  // the block ends early but keeps what it read
      return;
    }
    if (keyword == Keyword::HardwareComponents || keyword == Keyword::SoftwareComponents ||
        keyword == Keyword::OperatingSystems) {
      // An open list ends at the next keyword, which belongs to the block.
      keyword = ReadOpenList(keyword, configuration);
      if (abort_) script_.configurations.pop_back();
      if (keyword == Keyword::ParseAbort) return;
      continue;
    }
    if (!ConfigStatement(keyword, configuration)) return;
    keyword = NextKeyword();
  }
}

bool ScriptParser::ConfigStatement(Keyword keyword, Configuration& configuration) {
  if (keyword == Keyword::CallDllFunction) {
    const std::string line = Value();
    if (end_of_file_) return false;
    if (ReadDllCallLine(line, configuration.dll_call)) return true;
    DropConfiguration();
    return false;
  }
  if (ConfigValue(keyword, configuration) || ConfigFlag(keyword, configuration)) return !end_of_file_;
  if (const std::optional<ListEnd> end = ConfigList(keyword, configuration)) {
    if (*end == ListEnd::Closed) return true;
    if (*end != ListEnd::EndOfFile) DropConfiguration();
    return false;
  }
  return true;  // any other keyword, END SCRIPT included, is skipped inside a block
}

Keyword ScriptParser::NextKeyword() {
  const std::string_view line = Next();
  return end_of_file_ ? Keyword::ParseAbort : KeywordTable::Classify(line);
}

bool ScriptParser::ConfigValue(Keyword keyword, Configuration& configuration) {
  switch (keyword) {
    case Keyword::TypeConfig:
      configuration.type = Value();
      return true;
    case Keyword::ProgramName:
      configuration.program_name = Value();
      return true;
    case Keyword::WorkingDirectory:
      configuration.working_directory = Value();
      return true;
    case Keyword::LaunchExecutable:
      configuration.launch = true;
      configuration.launch_command = Value();
      return true;
    default:
      return false;
  }
}

bool ScriptParser::ConfigFlag(Keyword keyword, Configuration& configuration) {
  switch (keyword) {
    case Keyword::PlayableConfig:
      configuration.playable = true;
      return true;
    case Keyword::WithoutCommonFiles:
      configuration.without_common_files = true;
      return true;
    case Keyword::SkipShortcut:
      configuration.skip_shortcut = true;
      return true;
    case Keyword::ExeIsOnCd:
      configuration.exe_on_cd = true;
      return true;
    default:
      return false;
  }
}

std::optional<ScriptParser::ListEnd> ScriptParser::ConfigList(Keyword keyword, Configuration& configuration) {
  std::string& tag = env_.state.language_tag;
  switch (keyword) {
    case Keyword::SpecificFiles:
      return ReadClosedList(Keyword::EndSpecificFiles,
                            [&](std::string_view l) { return ReadFileLine(l, configuration.files); });
    case Keyword::LanguageSpecificFiles:
      tag = "\\";
      return ReadClosedList(Keyword::EndLanguageSpecificFiles, [&](std::string_view l) {
        return ReadLanguageFileLine(l, configuration.language_files, tag, ui_);
      });
    case Keyword::SpecificFonts:
      return ReadClosedList(Keyword::EndSpecificFonts, [&](std::string_view l) {
        return ReadFontLine(l, FontsFolder(), configuration.files);
      });
    case Keyword::Shortcuts:
      return ReadClosedList(Keyword::EndShortcuts,
                            [&](std::string_view l) { return ReadShortcutLine(l, configuration.shortcuts); });
    case Keyword::IniSections:
      return ReadClosedList(Keyword::EndIniSections,
                            [&](std::string_view l) { return ReadIniLine(l, configuration.ini); });
    default:
      return std::nullopt;
  }
}

Keyword ScriptParser::ReadOpenList(Keyword keyword, Configuration& configuration) {
  for (;;) {
    const std::string_view line = Next();
    if (end_of_file_) return Keyword::ParseAbort;
    const Keyword next = KeywordTable::Classify(line);
    if (next != Keyword::DataLine) return next;
    bool accepted = false;
    if (keyword == Keyword::HardwareComponents)
      accepted = ReadHardwareLine(line, env_.tests, configuration.hardware);
    else if (keyword == Keyword::SoftwareComponents)
      accepted = ReadSoftwareLine(line, env_.tests, configuration);
    else
      accepted = ReadSystemLine(line, env_.tests, configuration.system, ui_);
    if (!accepted) {
      abort_ = true;
      return Keyword::ParseAbort;
    }
  }
}

void ScriptParser::DropConfiguration() {
  script_.configurations.pop_back();
  last_config_ended_ = false;
}

}  // namespace

bool ParseScript(ScriptLineReader& reader, ScriptEnvironment& environment, InstallScript& script) {
  return ScriptParser(reader, environment, script).Run();
}

}  // namespace tvx
