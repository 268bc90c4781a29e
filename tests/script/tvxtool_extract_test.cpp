// tvxtool extract: a configuration's files laid out as installed, and a
// script that names a place outside the output folder writes nothing.
#include <gtest/gtest.h>

#include "safe_output_path.h"
#include "support/program_run.h"
#include "support/sample_payload.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

ProgramRun RunTvxtool(const std::string& arguments) { return RunProgram(TVX_TVXTOOL, arguments); }

// The sample disc with its files, the script changed by the caller.
struct Disc {
  Disc() {
    fs::copy(SampleDisc(), path, fs::copy_options::recursive);
    PutSamplePayloadIn(path, 30000);
  }
  void AddCommonFile(const std::string& line) {
    const fs::path script = path / "InstData" / "tvx.ins";
    std::string text = ReadHostText(script);
    const std::string end = "[END COMMON FILES]";
    text.insert(text.find(end), line + "\r\n");
    WriteHostText(script, text);
  }
  TemporaryFolder folder;
  fs::path path = folder.path() / "disc";
  fs::path out = folder.path() / "out";
};

std::set<std::string> FilesUnder(const fs::path& folder) {
  std::set<std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder).generic_string());
  return files;
}

TEST(TvxtoolExtractTest, LaysOutTheFilesOfTheConfigurationAndLanguage) {
  struct Row {
    const char* arguments;
    std::map<std::string, std::string> files;  // output -> source on the disc
  };
  const std::map<std::string, std::string> common = {
      {"Zephra.exe", "Program/Zephra.exe"},
      {"Data/Zephra.dat", "Data/Zephra.dat"},
      {"Zephra.ico", "Program/Zephra.ico"},
      {"_system/Zephcore.dll", "System/Zephcore.dll"},
      {"Video/Intro.avi", "Video/Intro.avi"},
      {"_fonts/Zephra.ttf", "Fonts/Zephra.ttf"},
      {"_setup/tvx.ins", "InstData/tvx.ins"},
      // What the uninstaller reads, copied by every installed configuration.
      {"InstData/Tvx.ins", "InstData/tvx.ins"},
      {"InstData/zephra.eng", "InstData/zephra.eng"},
      {"InstData/zephra.fra", "InstData/zephra.fra"},
  };
  const Row rows[] = {
      {"--config 1 --language French",
       {{"Lisezmoi.txt", "Docs/French/Lisezmoi.txt"},
        {"Data/Speech.dat", "Data/French/Speech.dat"},
        {"Zephra.cfg", "Config/Zephfull.cfg"},
        {"Data/Textures.dat", "Data/Textures.dat"},
        {"_fonts/Zephbold.ttf", "Fonts/Zephbold.ttf"},
        {"_setup/strings.fra", "InstData/strings.fra"},
        {"_setup/zephra.fra", "InstData/zephra.fra"}}},
      {"--config 2",
       {{"Readme.txt", "Docs/English/Readme.txt"},
        {"Data/Speech.dat", "Data/English/Speech.dat"},
        {"Zephra.cfg", "Config/Zephmin.cfg"},
        {"Data/Voices.dat", "Data/English/Min/Voices.dat"},
        {"_setup/strings.eng", "InstData/strings.eng"},
        {"_setup/zephra.eng", "InstData/zephra.eng"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments);
    Disc disc;
    const ProgramRun run =
        RunTvxtool("extract " + Quoted(disc.path) + " " + Quoted(disc.out) + " " + row.arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    std::map<std::string, std::string> expected = common;
    expected.insert(row.files.begin(), row.files.end());
    std::set<std::string> names;
    for (const auto& [name, source] : expected) names.insert(name);
    EXPECT_EQ(FilesUnder(disc.out), names);
    for (const auto& [name, source] : expected)
      EXPECT_EQ(ReadHostText(disc.out / name), ReadHostText(disc.path / source)) << name;
  }
}

// A disc with only its encoded container: the script is written deciphered.
TEST(TvxtoolExtractTest, WritesTheDecodedScript) {
  Disc disc;
  fs::remove(disc.path / "InstData" / "tvx.ins");
  const ProgramRun run = RunTvxtool("extract " + Quoted(disc.path) + " " + Quoted(disc.out));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadHostText(disc.out / "_setup" / "tvx.ins"),
            ReadHostText(SampleDisc() / "InstData" / "tvx.ins"));
}

TEST(TvxtoolExtractTest, AScriptNamingAPlaceOutsideTheOutputWritesNothing) {
  const struct {
    const char* line;
    const char* said;
  } rows[] = {
      {"a.txt,Program,..\\..\\..\\escaped,10", "\"..\""},
      {"b.txt,Program,Data\\...\\escaped,10", "\"..\""},
      {"c.txt,Program,C:\\escaped,10", "\":\""},
      {"d.txt,Program,\\escaped,10", "absolute"},
      {"e.txt,Program,/tmp/escaped,10", "absolute"},
      {"f.txt,Program,,10,..\\escaped.txt", "\"..\""},
      {"g.txt,Program,,10,CON", "device name"},
      {"h.txt,Program,Data\\nul.txt,10", "device name"},
      {"Zephcore.dll,System,*SharedDll*,10,..\\..\\escaped.dll", "\"..\""},
      {"Zephra.exe,..\\..\\..\\etc,,10", "source"},
      {"i.txt,Program,_system,10", "keeps for itself"},
      {"j.txt,Program,Data\\a|b,10", "character |"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    Disc disc;
    disc.AddCommonFile(row.line);
    const ProgramRun run = RunTvxtool("extract " + Quoted(disc.path) + " " + Quoted(disc.out));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("refused"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(disc.out)) << "nothing is written";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(disc.folder.path()))
      EXPECT_EQ(entry.path().filename().string().find("escaped"), std::string::npos) << entry.path();
  }
}

// The output folder's own links are not followed.
TEST(TvxtoolExtractTest, ALinkInTheOutputFolderIsNotFollowed) {
  Disc disc;
  const fs::path elsewhere = disc.folder.path() / "elsewhere";
  fs::create_directories(elsewhere);
  fs::create_directories(disc.out);
  fs::create_directory_symlink(elsewhere, disc.out / "data");
  const ProgramRun run = RunTvxtool("extract " + Quoted(disc.path) + " " + Quoted(disc.out) + " --config 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("symbolic link"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::is_empty(elsewhere));
  EXPECT_TRUE(fs::exists(disc.out / "Zephra.exe")) << "the other files are written";
}

TEST(TvxtoolExtractTest, SafeRelativePathKeepsInsideTheFolder) {
  const struct {
    const char* given;
    const char* path;  // nullptr: refused
  } rows[] = {
      {"Data\\Zephra.dat", "Data/Zephra.dat"},
      {"Data\\\\.\\Zephra.dat", "Data/Zephra.dat"},
      {"Data/Sub\\x", "Data/Sub/x"},
      {"Data.\\x. ", "Data/x"},
      {"", ""},
      {"..\\x", nullptr},
      {"a\\..\\x", nullptr},
      {"a\\ \\x", nullptr},
      {"a\\....\\x", nullptr},
      {"\\\\server\\share\\x", nullptr},
      {"C:x", nullptr},
      {"a\\file.txt:stream", nullptr},
      {"aux", nullptr},
      {"Com1.log", nullptr},
      {"lpt9", nullptr},
      {"conin$", nullptr},
      {"com10", "com10"},
      {"console", "console"},
      {"a\x01", nullptr},
      {"a?b", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.given);
    const authoring::SafePath safe = authoring::SafeRelativePath(row.given);
    if (row.path) {
      EXPECT_EQ(safe.refusal, "");
      EXPECT_EQ(safe.path.generic_string(), row.path);
    } else {
      EXPECT_NE(safe.refusal, "");
      EXPECT_TRUE(safe.path.empty());
    }
  }
}

TEST(TvxtoolExtractTest, BadArgumentsEndWithTheirCodeAndOneLine) {
  Disc disc;
  WriteHostText(disc.folder.path() / "profile.json", SampleInstallProfile("win98"));
  const std::string d = Quoted(disc.path);
  const std::string profile = " --machine " + Quoted(disc.folder.path() / "profile.json");
  const std::string o = " " + Quoted(disc.out);
  const struct {
    const char* name;
    std::string arguments;
    int status;
    const char* said;
  } rows[] = {
      {"plan without a machine", "plan " + d, 2, "--machine"},
      {"plan, a profile missing", "plan " + d + " --machine /nonexistent.json", 2, "no machine profile"},
      {"plan, not a disc", "plan " + Quoted(disc.folder.path()) + profile, 2, "holds no InstData"},
      {"plan, a configuration past the end", "plan " + d + profile + " --config 9", 1, "no configuration 9"},
      {"plan, a configuration not a number", "plan " + d + profile + " --config x", 2, "--config"},
      {"plan, an unknown language", "plan " + d + profile + " --language German", 1, "no language German"},
      {"plan, a configuration the machine does not propose", "plan " + d + profile + " --config 0", 1,
       "configuration 0 could not be chosen"},
      {"plan, a protected directory", "plan " + d + profile + " --dir C:\\\\WINDOWS", 1, "was refused"},
      {"extract without its folder", "extract " + d, 2, "OUTDIR"},
      {"extract, not a disc", "extract " + Quoted(disc.folder.path()) + o, 2, "holds no InstData"},
      {"extract, a configuration past the end", "extract " + d + o + " --config 4", 1, "no configuration 4"},
      {"extract, an unknown language", "extract " + d + o + " --language German", 1, "no language German"},
      {"an unknown option", "extract " + d + o + " --fast", 2, "--fast"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramRun run = RunTvxtool(row.arguments);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(disc.out));
  }
}

}  // namespace
}  // namespace tvx::testing
