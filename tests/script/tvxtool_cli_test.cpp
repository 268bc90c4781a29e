// tvxtool as a script author runs it: what start-up would refuse is said
// before a user meets it, and each refusal is one clear outcome.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "support/program_run.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

ProgramRun RunTvxtool(const std::string& arguments) { return RunProgram(TVX_TVXTOOL, arguments); }

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// A copy of the sample disc's InstData, changed by the row.
fs::path SampleCopy(const TemporaryFolder& folder, const std::function<void(const fs::path&)>& change) {
  const fs::path data = folder.path() / "InstData";
  fs::copy(SampleDisc() / "InstData", data, fs::copy_options::recursive);
  change(data);
  return data;
}

void DropLanguageLines(const fs::path& data) {
  const std::string script = ReadHostText(data / "tvx.ins");
  WriteHostText(data / "tvx.ins",
                std::regex_replace(script, std::regex("\\[LANGUAGES\\][^\\[]*"), "[LANGUAGES]\r\n"));
}

void CutTheContainer(const fs::path& data) {
  fs::remove(data / "tvx.ins");
  fs::resize_file(data / "Tvxins.dat", fs::file_size(data / "Tvxins.dat") - 1);
}

// Pins faults: a script without LANGUAGES passed the check with "0
// languages" and exit 0, though the program ends at once on it; a cut
// container was reported only as "Error in line 0".
TEST(TvxtoolCliTest, CheckWarnsOfWhatStartUpRefusesAndSaysWhereAContainerIsCut) {
  struct Row {
    const char* name;
    std::function<void(const fs::path&)> change;
    int status;
    const char* said;  // nullptr: no warning nor error
  };
  const Row rows[] = {
      {"the sample", [](const fs::path&) {}, 0, nullptr},
      {"no languages", DropLanguageLines, 1, "tvx.ins: warning: no LANGUAGES"},
      {"a strings file missing", [](const fs::path& data) { fs::remove(data / "zephra.fra"); }, 1,
       "tvx.ins: warning: language French: no strings file zephra.fra"},
      {"a cut container", CutTheContainer, 1, "error: the container is cut inside a record at byte "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TemporaryFolder folder;
    const fs::path data = SampleCopy(folder, row.change);
    const ProgramRun run = RunTvxtool("check " + Quoted(data / "tvx.ins"));
    EXPECT_EQ(run.status, row.status) << run.out;
    if (row.said)
      EXPECT_NE(run.out.find(row.said), std::string::npos) << run.out;
    else
      EXPECT_EQ(run.out.find(": warning: "), std::string::npos) << run.out;
  }
}

// Pins faults: decoding a folder read it as an empty file (exit 1); a
// recorded configuration past the script's end showed its message twice and
// printed a report of empty names with exit 0; a preview whose panel ended
// in its initialisation wrote a bare background with exit 0.
TEST(TvxtoolCliTest, RefusalsEndWithTheirCodeAndNoOutput) {
  TemporaryFolder folder;
  const fs::path data = SampleCopy(folder, [](const fs::path& d) { fs::remove(d / "Playu.pcx"); });
  WriteHostText(folder.path() / "recorded.json",
                PatchedProfile(R"({"files": [{"path": "C:\\WINDOWS\\Tarvex\\tvx.ini",
                  "text": "[Zephra]\r\nConfiguration=9\r\nLanguage=English\r\nDirectory=C:\\Zephra\\\r\n"}]})"));
  const fs::path png = folder.path() / "panel.png";
  const struct {
    const char* name;
    std::string arguments;
    int status;
    const char* said;
  } rows[] = {
      {"decoding a folder", "decode " + Quoted(folder.path()), 2, "cannot read"},
      {"a recorded configuration past the end",
       "match " + Quoted(SampleDisc() / "InstData" / "tvx.ins") + " --machine " +
           Quoted(folder.path() / "recorded.json"),
       1, "not in the script"},
      {"a panel that never showed", "preview " + Quoted(data) + " " + Quoted(png), 1, "did not show"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramRun run = RunTvxtool(row.arguments);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
    EXPECT_LE(Occurrences(run.err, "does not exist !!"), 1u) << run.err;
  }
  EXPECT_FALSE(fs::exists(png));
}

}  // namespace
}  // namespace tvx::testing
