// The script's grammar: sections, lists, CONFIG blocks and error lines.
#include <gtest/gtest.h>

#include "script/keyword_table.h"
#include "script/script_loader.h"
#include "script_test_support.h"

namespace tvx {
namespace {

using testing::Lines;
using testing::ScriptMachine;

struct Outcome {
  bool ok = false;
  std::int32_t error_line = -1;
  std::vector<std::string> messages;  // without the final error box
};

Outcome LoadOn(ScriptMachine& m, const std::string& text) {
  Outcome outcome;
  outcome.ok = m.LoadText(text);
  outcome.error_line = m.script.load.error_line;
  outcome.messages = m.ui().Texts();
  if (!outcome.ok && !outcome.messages.empty()) {
    EXPECT_EQ(outcome.messages.back(),
              "Script loaded but corrupted !\nFileName : D:\\InstData\\tvx.ins\nError in line " +
                  std::to_string(outcome.error_line));
    outcome.messages.pop_back();
  }
  return outcome;
}

TEST(KeywordTable, ClassifiesByPrefixInTableOrder) {
  const struct {
    const char* line;
    Keyword keyword;
  } cases[] = {
      {"APPLICATION NAME", Keyword::ApplicationName},
      {"[APPLICATION NAME]", Keyword::ApplicationName},
      {"[VERSION", Keyword::Version},
      {"application name", Keyword::DataLine},
      {"ICONS.DAT,,,10", Keyword::Icon},
      {"END LANGUAGES and more", Keyword::EndLanguages},
      {"LANGUAGE FILES", Keyword::LanguageFiles},
      {"LANGUAGE SPECIFIC FILES", Keyword::LanguageSpecificFiles},
      {"END LANGUAGE SPECIFIC FILES", Keyword::EndLanguageSpecificFiles},
      {"NON VITAL FILES", Keyword::NonVitalFiles},
      {"VITAL FILES", Keyword::VitalFiles},
      {"CONFIGURATION", Keyword::Config},
      {"TYPE CONFIG", Keyword::TypeConfig},
      {"END SCRIPT", Keyword::EndScript},
      {"TRACING ON", Keyword::TracingOn},
      {"[", Keyword::DataLine},
      {"[[CONFIG]", Keyword::DataLine},
      {" CONFIG", Keyword::DataLine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(KeywordTable::Classify(c.line), c.keyword);
  }
  EXPECT_EQ(KeywordTable::Text(Keyword::OperatingSystems), "OPERATING SYSTEMS");
  EXPECT_EQ(static_cast<int>(Keyword::TracingOn), 58);
}

TEST(ScriptGrammar, ErrorLinesAndMessages) {
  const std::string long_line(600, 'x');
  const struct {
    const char* label;
    std::string script;
    bool ok;
    std::int32_t error_line;
    std::vector<std::string> messages;
  } cases[] = {
      {"smallest script", Lines({"END SCRIPT"}), true, -1, {}},
      {"file ends without END SCRIPT", Lines({"APPLICATION NAME", "A", "", "// end"}), false, 4, {}},
      {"empty file", "", false, 0, {}},
      {"value line never classified", Lines({"APPLICATION NAME", "END SCRIPT", "END SCRIPT"}), true, -1, {}},
      {"value line missing at the end", Lines({"VERSION"}), false, 1, {}},
      {"data and misplaced keywords ignored at top level",
       Lines({"hello", "END CONFIG", "PLAYABLE CONFIG", "END COMMON FILES", "TRACING ON", "END SCRIPT"}),
       true,
       -1,
       {}},
      {"file name that begins with a keyword",
       Lines({"COMMON FILES", "ICONS.DAT,,,10", "END COMMON FILES", "END SCRIPT"}),
       false,
       2,
       {}},
      {"wrong END keyword in a list",
       Lines({"COMMON FILES", "a,,,1", "END LANGUAGES", "END SCRIPT"}),
       false,
       3,
       {}},
      {"refused entry in a top-level list",
       Lines({"// first", "", "LANGUAGES", "English,English,strings.eng", "END LANGUAGES", "END SCRIPT"}),
       false,
       4,
       {}},
      {"long lines and blank lines counted",
       "// c\n\n" + long_line + "\nCOMMON FILES\nbad\nEND COMMON FILES\nEND SCRIPT\n",
       false,
       6,
       {}},
      {"list left open at the end", Lines({"URL", "http://a/"}), false, 2, {}},
      {"non-vital then vital list",
       Lines({"NON VITAL FILES", "a", "END NON VITAL FILES", "", "VITAL FILES", "b", "END VITAL FILES",
              "END SCRIPT"}),
       false,
       5,
       {}},
      {"two non-vital lists",
       Lines({"NON VITAL FILES", "END NON VITAL FILES", "NON VITAL FILES", "END NON VITAL FILES",
              "END SCRIPT"}),
       false,
       3,
       {}},
      {"bad position: the section is read to its end",
       Lines({"BUTTONS POSITION", "1,2", "bad", "5,6", "7,8", "END SCRIPT"}),
       false,
       5,
       {}},
      {"bad web button position", Lines({"WEB BUTTON", "http://a/", "10", "END SCRIPT"}), false, 3, {}},
      {"NVC cut short", Lines({"NVC", "Online", "1.0"}), false, 3, {}},
      {"authors' warnings go on parsing",
       Lines({"DATA SOURCE", "C:\\Dev", "VOLUME NAME", "Other", "END SCRIPT"}),
       true,
       -1,
       {"Enlevez [DATA SOURCE] dans le script pour un master", "Can't use this patch for Other"}},
      {"volume name compared without case", Lines({"VOLUME NAME", "zephra", "END SCRIPT"}), true, -1, {}},
      {"language line before a tag",
       Lines({"LANGUAGE FILES", "Language,//", "a,,,1", "END LANGUAGE FILES", "END SCRIPT"}),
       true,
       -1,
       {"Pas de langue d\xE9"
        "finie"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptMachine m;
    const Outcome outcome = LoadOn(m, c.script);
    EXPECT_EQ(outcome.ok, c.ok);
    EXPECT_EQ(outcome.error_line, c.error_line);
    EXPECT_EQ(outcome.messages, c.messages);
  }
}

TEST(ScriptGrammar, ConfigBlocks) {
  const struct {
    const char* label;
    std::string script;
    bool ok;
    std::int32_t error_line;
    std::vector<std::string> types;  // configurations kept, by TYPE CONFIG
  } cases[] = {
      {"two blocks",
       Lines({"CONFIG", "TYPE CONFIG", "A", "END CONFIG", "CONFIG", "TYPE CONFIG", "B", "END CONFIG",
              "END SCRIPT"}),
       true,
       -1,
       {"A", "B"}},
      {"END SCRIPT inside a block is skipped",
       Lines({"CONFIG", "END SCRIPT", "TYPE CONFIG", "A", "END CONFIG", "END SCRIPT"}),
       true,
       -1,
       {"A"}},
      {"top-level keywords inside a block are skipped",
       Lines({"CONFIG", "SEQUENCE AUTO", "END URL", "TYPE CONFIG", "A", "END CONFIG", "END SCRIPT"}),
       true,
       -1,
       {"A"}},
      {"refused file line drops the block; reported at the end",
       Lines({"CONFIG", "TYPE CONFIG", "A", "SPECIFIC FILES", "bad", "END SPECIFIC FILES", "END CONFIG",
              "END SCRIPT"}),
       false,
       8,
       {}},
      {"a later block that ends well clears the condition",
       Lines({"CONFIG", "TYPE CONFIG", "A", "SHORTCUTS", "a,b", "CONFIG", "TYPE CONFIG", "B", "END CONFIG",
              "END SCRIPT"}),
       true,
       -1,
       {"B"}},
      {"wrong END keyword in a block's list drops the block",
       Lines({"CONFIG", "INI SECTIONS", "k,v", "END SHORTCUTS", "END CONFIG", "END SCRIPT"}),
       false,
       6,
       {}},
      {"DLL call of two fields drops the block",
       Lines({"CONFIG", "TYPE CONFIG", "A", "CALL DLL FUNCTION", "a.dll,Go", "END CONFIG", "END SCRIPT"}),
       false,
       7,
       {}},
      {"data line inside a block ends it but keeps it",
       Lines({"CONFIG", "TYPE CONFIG", "A", "stray", "END CONFIG", "END SCRIPT"}),
       false,
       6,
       {"A"}},
      {"unknown hardware test aborts the whole parse at its line",
       Lines({"CONFIG", "TYPE CONFIG", "A", "HARDWARE COMPONENTS", "CPU > 2", "Warp Drive", "END CONFIG",
              "END SCRIPT"}),
       false,
       6,
       {}},
      {"unknown software test aborts too",
       Lines({"CONFIG", "SOFTWARE COMPONENTS", "Quick Time,q,,0", "END CONFIG", "END SCRIPT"}),
       false,
       3,
       {}},
      {"open lists end at the next keyword, which is handled",
       Lines({"CONFIG", "HARDWARE COMPONENTS", "MMX", "TYPE CONFIG", "A", "OPERATING SYSTEMS", "W98",
              "END CONFIG", "END SCRIPT"}),
       true,
       -1,
       {"A"}},
      {"open list at the end of the file", Lines({"CONFIG", "HARDWARE COMPONENTS", "MMX"}), false, 3, {""}},
      {"block left open at the end of the file", Lines({"CONFIG", "TYPE CONFIG", "A"}), false, 3, {"A"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptMachine m;
    const Outcome outcome = LoadOn(m, c.script);
    EXPECT_EQ(outcome.ok, c.ok);
    EXPECT_EQ(outcome.error_line, c.error_line);
    std::vector<std::string> types;
    for (const Configuration& configuration : m.script.configurations) types.push_back(configuration.type);
    EXPECT_EQ(types, c.types);
  }
}

TEST(ScriptGrammar, SystemLineMessagesComeInOrderBeforeTheErrorBox) {
  ScriptMachine m;
  const Outcome outcome =
      LoadOn(m, Lines({"CONFIG", "OPERATING SYSTEMS", "W98", "OS/2 Warp", "END CONFIG", "END SCRIPT"}));
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.error_line, 4);
  EXPECT_EQ(outcome.messages,
            (std::vector<std::string>{"Unknown Operator in OS/2 Warp", "Unknown Operating systems "}));
  EXPECT_TRUE(m.script.configurations.empty()) << "the configuration is removed";
  ASSERT_EQ(m.ui().boxes.size(), 3u);
  EXPECT_EQ(m.ui().boxes[2].caption, "Error");
  EXPECT_EQ(m.ui().boxes[2].style, box::kIconHand);
}

TEST(ScriptGrammar, FlagsAndValuesReachTheModelAndTheProcessState) {
  ScriptMachine m;
  ASSERT_TRUE(m.LoadText(Lines({"[APPLICATION NAME]",
                                "Zephra  ",
                                "VERSION",
                                "1.0",
                                "SEQUENCE AUTO",
                                "USE TYPE CONFIG",
                                "CREATE LOG FILE",
                                "DO NOT ERASE BUTTON GUIDES",
                                "SPACE REQUIRED",
                                " 24 MB",
                                "NVC",
                                "Online",
                                "2.1",
                                "2.2",
                                "2.3",
                                "0",
                                "BUTTON GUIDE",
                                "1,2",
                                "3,4",
                                "5,6",
                                "-7,70000",
                                "WEB DESKTOP SHORTCUT",
                                "Zephra on the Web",
                                "http://z/",
                                "END SCRIPT"})));
  const InstallScript& s = m.script;
  EXPECT_EQ(s.application_name, "Zephra  ") << "trailing blanks belong to the value";
  EXPECT_EQ(s.version, "1.0");
  EXPECT_TRUE(s.sequence_auto);
  EXPECT_TRUE(s.create_log);
  EXPECT_EQ(s.memory_requirement, 24);
  EXPECT_TRUE(s.client_offered);
  EXPECT_EQ(s.client_folder, "Online");
  EXPECT_EQ(s.guide_positions[3], (ScreenPosition{-7, 4464}));
  EXPECT_TRUE(s.web_shortcut);
  EXPECT_EQ(s.web_shortcut_name, "Zephra on the Web");
  EXPECT_EQ(s.web_shortcut_address, "http://z/");
  EXPECT_TRUE(m.state.use_type_config);
  EXPECT_TRUE(m.state.keep_guides);
  EXPECT_TRUE(m.state.button_guide);
  EXPECT_EQ(m.state.client_startup_version, "2.1");
  EXPECT_EQ(m.state.product_library_version, "0");
}

TEST(ScriptPostParse, DefaultPathVolumeNamesAndDataSource) {
  {
    SCOPED_TRACE("empty default path");
    ScriptMachine m;
    ASSERT_TRUE(m.LoadText(Lines({"APPLICATION NAME", "Zephra", "END SCRIPT"})));
    EXPECT_EQ(m.script.default_path, "\\Tarvex\\Zephra\\");
    EXPECT_EQ(m.script.data_source, "CD ROM");
  }
  {
    SCOPED_TRACE("demo disc in a CD-ROM drive takes its label");
    ScriptMachine m;
    ASSERT_TRUE(m.LoadText(Lines({"VOLUME NAME", "TVX Demo", "END SCRIPT"})));
    EXPECT_EQ(m.script.volume_name, "ZEPHRA");
    EXPECT_EQ(m.ui().Texts(), std::vector<std::string>{"Can't use this patch for TVX Demo"});
  }
  {
    SCOPED_TRACE("shareware reads from the program's folder");
    ScriptMachine m;
    ASSERT_TRUE(m.LoadText(Lines({"VOLUME NAME", "TVX SHAREWARE", "END SCRIPT"})));
    EXPECT_EQ(m.script.data_source, "D:");
  }
  {
    SCOPED_TRACE("<empty> volume name");
    ScriptMachine m;
    ASSERT_TRUE(m.LoadText(Lines({"VOLUME NAME", "<empty>", "END SCRIPT"})));
    EXPECT_EQ(m.script.volume_name, "");
    EXPECT_EQ(m.ui().Texts(), std::vector<std::string>{"Can't use this patch for <empty>"});
  }
}

TEST(ScriptPostParse, DemoVolumeNameOffTheCdComesFromTheProductRegistry) {
  testing::TestMachine::Options options;
  options.run.program_path = "C:\\Tarvex\\SetupTvx.exe";
  ScriptMachine m(options);
  m.machine().WriteFile("C:\\Tarvex\\InstData\\tvx.ins",
                        Lines({"APPLICATION NAME", "Zephra", "VOLUME NAME", "TVX Demo", "END SCRIPT"}));
  ScriptEnvironment environment = m.Environment("C:\\Tarvex\\InstData");
  std::string asked;
  environment.registered_volume_name = [&](std::string_view name) -> std::optional<std::string> {
    asked = name;
    return "ZEPHRA_DEMO";
  };
  ASSERT_TRUE(LoadScript(environment, "", m.script));
  EXPECT_EQ(asked, "Zephra");
  EXPECT_EQ(m.script.volume_name, "ZEPHRA_DEMO");

  environment.registered_volume_name = [](std::string_view) { return std::optional<std::string>(); };
  m.script = {};
  ASSERT_TRUE(LoadScript(environment, "", m.script));
  EXPECT_EQ(m.script.volume_name, "TVX Demo") << "nothing recorded: the name stays";
}

TEST(ScriptPostParse, UnlabelledDemoDiscIsNoLabel) {
  testing::TestMachine::Options options;
  options.profile_json = testing::DefaultProfileJson();
  const std::string labelled = R"("label": "ZEPHRA")";
  options.profile_json.replace(options.profile_json.find(labelled), labelled.size(), R"("label": "")");
  ScriptMachine m(options);
  ASSERT_TRUE(m.LoadText(Lines({"VOLUME NAME", "TVX Demo", "END SCRIPT"})));
  EXPECT_EQ(m.script.volume_name, "NoLabel");
}

TEST(ScriptPostParse, InstallDataEntriesGoToEveryInstalledConfiguration) {
  ScriptMachine m;
  m.machine().WriteFile("D:\\InstData\\zephra.eng", std::string(600, 's'));
  m.machine().WriteFile("D:\\InstData\\Tvxins.dat", "container");
  ASSERT_TRUE(m.LoadText(
      Lines({"LANGUAGES", "English,English,strings.eng,zephra.eng", "French,Francais,strings.fra,zephra.fra",
             "END LANGUAGES", "CONFIG", "SPECIFIC FILES", "a,,,1024", "END SPECIFIC FILES", "END CONFIG",
             "CONFIG", "PLAYABLE CONFIG", "END CONFIG", "END SCRIPT"})));
  ASSERT_EQ(m.script.configurations.size(), 2u);
  const CopyItemList& files = m.script.configurations[0].files;
  ASSERT_EQ(files.items.size(), 4u);
  const struct {
    const char* name;
    std::int32_t size;
  } expected[] = {{"zephra.eng", 2}, {"zephra.fra", 0}, {"Tvx.ins", 1}};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(expected[i].name);
    const CopyItem& item = files.items[i + 1];
    EXPECT_EQ(item.source_name, expected[i].name);
    EXPECT_EQ(item.destination_name, expected[i].name);
    EXPECT_EQ(item.source_subdirectory, "\\InstData\\");
    EXPECT_EQ(item.destination_directory, "InstData\\");
    EXPECT_EQ(item.size, expected[i].size);
    EXPECT_TRUE(item.unlogged);
  }
  EXPECT_EQ(files.total, 2 + 2 + 0 + 1);
  EXPECT_TRUE(m.script.configurations[1].files.items.empty()) << "a playable configuration installs nothing";
}

}  // namespace
}  // namespace tvx
