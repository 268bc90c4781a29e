// Message boxes on the simulated machine: transcript and answer script.
#include "platform/host/answer_script.h"

#include <gtest/gtest.h>

#include "platform/host/host_ui.h"
#include "support/test_machine.h"

namespace tvx::host {
namespace {

AnswerScript Parsed(const std::string& text) {
  std::string error;
  auto script = AnswerScript::Parse(text, error);
  EXPECT_TRUE(script) << error;
  return script.value_or(AnswerScript{});
}

TEST(AnswerScriptTest, BadLinesAreReportedWithTheirNumber) {
  struct Row {
    const char* text;
    const char* error;
  };
  const Row rows[] = {
      {"box", "line 1: \"box\" needs an answer"},
      {"# fine\nbox MAYBE", "line 2: \"box\" needs an answer"},
      {"press 1", "line 1: unknown command \"press\""},
      {"box IDOK colour=red", "line 1: unknown filter \"colour=red\""},
      {"box IDOK caption=\"open", "line 1: a quote is not closed"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::string error;
    EXPECT_FALSE(AnswerScript::Parse(row.text, error));
    EXPECT_EQ(error.substr(0, std::string(row.error).size()), row.error);
  }
}

TEST(AnswerScriptTest, BoxesAreAnsweredInOrderAndWrittenToTheTranscript) {
  testing::TemporaryFolder folder;
  HostUi::Options options;
  options.transcript = folder.path() / "transcript.log";
  options.answers = Parsed("box IDNO caption=\"Question\" text~\"sure\"\n\nbox 2\n");
  MachineFaults faults;
  HostUi ui(std::move(options), faults);

  EXPECT_EQ(ui.ShowMessageBox("Are you sure?\nReally", "Question", box::kYesNo, BoxOwner::MainWindow),
            box::kIdNo);
  EXPECT_EQ(ui.ShowMessageBox("Insert the disc", "Disc", box::kOkCancel | box::kIconHand, BoxOwner::None),
            box::kIdCancel);
  EXPECT_TRUE(ui.AnswerProblems().empty());
  EXPECT_EQ(testing::ReadHostText(folder.path() / "transcript.log"),
            "message-box caption=\"Question\" text=\"Are you sure?\\nReally\" style=0x00000004 owner=main "
            "answer=IDNO from=answers:1\n"
            "message-box caption=\"Disc\" text=\"Insert the disc\" style=0x00000011 owner=none "
            "answer=IDCANCEL from=answers:3\n");
  EXPECT_TRUE(faults.list().empty());
}

// Pins a fault: a transcript that could not be written was lost without a
// word, and the run still ended with 0.
TEST(AnswerScriptTest, ATranscriptThatCannotBeWrittenIsTheMachinesFaultToldOnce) {
  testing::TemporaryFolder folder;
  HostUi::Options options;
  const std::filesystem::path transcript = folder.path() / "no such folder" / "transcript.log";
  options.transcript = transcript;
  MachineFaults faults;
  HostUi ui(std::move(options), faults);
  ui.ShowMessageBox("one", "c", box::kOk, BoxOwner::None);
  ui.ShowMessageBox("two", "c", box::kOk, BoxOwner::None);
  EXPECT_TRUE(ui.AnswerProblems().empty());
  EXPECT_EQ(faults.list(), std::vector<std::string>{"cannot write the transcript " + transcript.string()});
}

TEST(AnswerScriptTest, WithoutAScriptTheDefaultButtonAnswers) {
  MachineFaults faults;
  HostUi ui(HostUi::Options{}, faults);
  EXPECT_EQ(ui.ShowMessageBox("t", "c", box::kOk, BoxOwner::None), box::kIdOk);
  EXPECT_EQ(ui.ShowMessageBox("t", "c", box::kYesNo, BoxOwner::None), box::kIdYes);
  EXPECT_EQ(ui.ShowMessageBox("t", "c", box::kYesNo | box::kDefaultButton2, BoxOwner::None), box::kIdNo);
  EXPECT_EQ(ui.ShowMessageBox("t", "c", box::kAbortRetryIgnore | box::kDefaultButton3, BoxOwner::None),
            box::kIdIgnore);
}

TEST(AnswerScriptTest, MismatchesAndLeftoversAreProblems) {
  HostUi::Options options;
  options.answers = Parsed("box IDOK caption=\"Error\"\nbox IDYES\nbox IDOK\nbox IDOK\n");
  MachineFaults faults;
  HostUi ui(std::move(options), faults);
  EXPECT_EQ(ui.ShowMessageBox("x", "Warning", box::kOk, BoxOwner::None), box::kIdOk);  // default
  EXPECT_EQ(ui.ShowMessageBox("x", "c", box::kOk, BoxOwner::None), box::kIdOk);        // IDYES is no button
  const auto problems = ui.AnswerProblems();
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("does not match"), std::string::npos);
  EXPECT_NE(problems[1].find("button the box does not have"), std::string::npos);
  EXPECT_EQ(problems[2], "2 answer(s) left unused");
}

TEST(AnswerScriptTest, TranscriptEscapesEveryAwkwardByte) {
  EXPECT_EQ(TranscriptText(std::string("a\"b\\c\r\t\x01\x7F\xE9", 10)),
            "\"a\\\"b\\\\c\\r\\t\\x01\\x7F\xE9\"");
}

}  // namespace
}  // namespace tvx::host
