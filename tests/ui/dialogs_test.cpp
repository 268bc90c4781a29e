// The toolkit's dialogs on the simulated machine, driven by answer scripts:
// what they show, where, and what they answer.
#include <gtest/gtest.h>

#include "platform/host/answer_script.h"
#include "platform/host/dialog_templates.h"
#include "platform/indexed_surface.h"
#include "support/test_machine.h"
#include "ui/choose_language.h"
#include "ui/message_popup.h"
#include "ui/picture_info_dialog.h"
#include "ui/question_dialog.h"
#include "ui/splash_window.h"
#include "ui/window_placement.h"

namespace tvx {
namespace {

using host::HostUi;

std::string Label(int number) { return "S" + std::to_string(number); }

testing::TestMachine MachineAnswering(const std::string& answers) {
  testing::TestMachine::Options options;
  options.answers = answers;
  return testing::TestMachine(options);
}

HostUi& UiOf(testing::TestMachine& machine) { return machine.machine().ui(); }

// Centred on the simulated 800 x 600 screen, halves rounded toward zero.
Rect Centred(int width, int height) { return RectAt(400 - width / 2, 300 - height / 2, width, height); }

TEST(QuestionDialogTest, TwoButtonsAreLabelledFromTheStringsAndEscapeAnswersNo) {
  struct Row {
    const char* answers;
    int expected;
  };
  const Row rows[] = {{"dialog 150 press 1", box::kIdYes},
                      {"dialog 150 return", box::kIdYes},
                      {"dialog 150 press 2", box::kIdNo},
                      {"dialog 150 escape", box::kIdNo}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answers);
    testing::TestMachine machine = MachineAnswering(row.answers);
    QuestionDialog question("No configuration fits.\nSee why?", "Configuration", true, Label);
    EXPECT_EQ(question.Ask(machine.platform().ui), row.expected);
    ASSERT_EQ(UiOf(machine).dialogs().size(), 1u);
    const host::DialogState& shown = UiOf(machine).dialogs()[0].shown;
    EXPECT_EQ(shown.caption, "Configuration");
    EXPECT_EQ(shown.control(1017).text, "No configuration fits.\nSee why?");
    EXPECT_EQ(shown.control(1).text, "S283");
    EXPECT_EQ(shown.control(2).text, "S284");
    EXPECT_TRUE(shown.control(2).visible);
    EXPECT_EQ(shown.window, Centred(shown.window.width(), shown.window.height()));
    EXPECT_TRUE(UiOf(machine).AnswerProblems().empty());
  }
}

TEST(QuestionDialogTest, OneButtonIsCentredAndLabelledWithString292) {
  testing::TestMachine machine = MachineAnswering("dialog 150 press 1\n");
  QuestionDialog question("Done.", "Setup", false, Label);
  EXPECT_EQ(question.Ask(machine.platform().ui), box::kIdYes);
  const host::DialogState& shown = UiOf(machine).dialogs()[0].shown;
  EXPECT_EQ(shown.control(1).text, "S292");
  EXPECT_FALSE(shown.control(2).visible);
  // 366 x 53 units are 549 x 86 pixels, 555 x 110 with the frame; the
  // button is 75 x 23 pixels, 52 pixels down in the template.
  EXPECT_EQ(shown.window, Centred(555, 110));
  EXPECT_EQ(shown.control(1).rect, RectAt((555 - 75) / 2, 3 + 18 + 52 - 18, 75, 23));
  EXPECT_NE(machine.Transcript().find("dialog id=150 caption=\"Setup\" 1=\"S292\" 1017=\"Done.\" "
                                      "actions=\"press 1\" end=6 from=answers:1"),
            std::string::npos)
      << machine.Transcript();
}

TEST(QuestionDialogTest, WithoutAnswersTheDefaultButtonAnswersAndAnUnfollowedScriptIsReported) {
  testing::TestMachine quiet;
  EXPECT_EQ(QuestionDialog("Sure?", "Q", true, Label).Ask(quiet.platform().ui), box::kIdYes);
  EXPECT_NE(quiet.Transcript().find("end=6 from=default"), std::string::npos);

  testing::TestMachine wrong = MachineAnswering("dialog 133 press 1\n");
  EXPECT_EQ(QuestionDialog("Sure?", "Q", false, Label).Ask(wrong.platform().ui), box::kIdYes);
  EXPECT_EQ(UiOf(wrong).AnswerProblems().size(), 2u);  // left open, and a line unused
}

TEST(DialogAnswersTest, BadDialogLinesAreReportedWithTheirNumber) {
  struct Row {
    const char* text;
    const char* error;
  };
  const Row rows[] = {
      {"dialog", "line 1: \"dialog\" needs a dialog number and an action"},
      {"box IDOK\ndialog 133 push 1", "line 2: \"dialog\" needs a dialog number and an action"},
      {"dialog 133 select 1009", "line 1: \"select\" takes 2 argument(s)"},
      {"dialog 133 press OK", "line 1: \"press\" takes numbers"},
      {"dialog 133 return 1", "line 1: \"return\" takes 0 argument(s)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::string error;
    EXPECT_FALSE(host::AnswerScript::Parse(row.text, error));
    EXPECT_EQ(error.substr(0, std::string(row.error).size()), row.error);
  }
}

TEST(DialogAnswersTest, ABoxWhereTheScriptExpectsADialogIsReported) {
  testing::TestMachine machine = MachineAnswering("dialog 150 press 1\n");
  EXPECT_EQ(machine.platform().ui.ShowMessageBox("Oops", "SetupTvx", box::kOk), box::kIdOk);
  const auto problems = UiOf(machine).AnswerProblems();
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0], "answers:1 is for a dialog, but a message box came: \"Oops\"");
}

struct Languages {
  std::vector<std::string> keys{"English", "French", "German"};
  std::vector<std::string> labels{"English", "Francais", "Deutsch"};
  std::vector<std::string> common{"strings.eng", "strings.fra", "strings.deu"};
  std::vector<std::string> product{"zephra.eng", "zephra.fra", "zephra.deu"};
  LanguageLists lists() const { return {keys, labels, common, product}; }
};

TEST(LanguageChoiceTest, TheDialogOpensOnTheLanguageTheSystemNames) {
  struct Row {
    const char* system;
    int selected;
  };
  const Row rows[] = {{"French", 1}, {"french (Canada)", 1}, {"Japanese", 0}, {"German", 2}};
  const Languages languages;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.system);
    EXPECT_EQ(LanguageOfSystem(languages.lists(), row.system), row.selected);
  }
  testing::TestMachine machine = MachineAnswering("dialog 133 press 1\n");
  UiProcessState state;
  LanguageChoiceDialog dialog(languages.lists(), "French", state);
  EXPECT_EQ(machine.platform().ui.RunDialog(dialog), 1);
  const host::DialogState& shown = UiOf(machine).dialogs()[0].shown;
  EXPECT_EQ(shown.caption, "Tarvex Installer - Language Choice");
  EXPECT_EQ(shown.control(-1).text, "Choose a language");
  EXPECT_EQ(shown.control(1009).selected, 1);
  ASSERT_EQ(shown.control(1009).items.size(), 3u);
  EXPECT_EQ(shown.control(1009).items[1].text, "Francais");
  EXPECT_EQ(dialog.common_file(), "strings.fra");
  EXPECT_TRUE(state.return_key_armed);
}

struct Chosen {
  bool ok = false;
  LanguageChoice choice;
  std::string current;
  std::vector<std::string> loaded;
  std::size_t dialogs = 0;
};

Chosen Choose(const std::string& answers, std::string* recorded, const Languages& languages = {},
              bool loads = true) {
  testing::TestMachine machine = MachineAnswering(answers);
  Chosen chosen;
  UiProcessState state;
  LanguageContext context{machine.platform().ui, state, "English",
                          [&](const std::string& c, const std::string& p) {
                            chosen.loaded = {c, p};
                            return loads;
                          }};
  chosen.ok = ChooseLanguage(context, languages.lists(), recorded, chosen.choice, chosen.current);
  chosen.dialogs = UiOf(machine).dialogs().size();
  return chosen;
}

TEST(LanguageChoiceTest, RecordedAndSingleLanguagesAreTakenWithoutADialog) {
  std::string recorded = "German";
  Chosen reinstall = Choose("", &recorded);
  EXPECT_TRUE(reinstall.ok);
  EXPECT_EQ(reinstall.dialogs, 0u);
  EXPECT_EQ(reinstall.current, "German");
  EXPECT_EQ(reinstall.loaded, (std::vector<std::string>{"strings.deu", "zephra.deu"}));

  std::string gone = "german";  // compared exactly: not in the list any more
  Chosen fallback = Choose("", &gone);
  EXPECT_EQ(fallback.choice.key, "English");
  EXPECT_EQ(gone, "English");

  Languages single;
  single.keys.resize(1);
  EXPECT_EQ(Choose("", nullptr, single).dialogs, 0u);
}

TEST(LanguageChoiceTest, TheUsersChoiceIsLoadedAndCancelStops) {
  Chosen picked = Choose("dialog 133 select 1009 2\ndialog 133 press 1\n", nullptr);
  EXPECT_TRUE(picked.ok);
  EXPECT_EQ(picked.dialogs, 1u);
  EXPECT_EQ(picked.choice.label, "Deutsch");
  EXPECT_EQ(picked.current, "German");
  EXPECT_EQ(picked.loaded, (std::vector<std::string>{"strings.deu", "zephra.deu"}));

  Chosen cancelled = Choose("dialog 133 escape\n", nullptr);
  EXPECT_FALSE(cancelled.ok);
  EXPECT_TRUE(cancelled.loaded.empty());

  EXPECT_FALSE(Choose("dialog 133 press 1\n", nullptr, {}, false).ok);  // strings not readable
}

TEST(LanguageChoiceTest, ReturnOnOkDisarmsThePanelButtons) {
  testing::TestMachine machine = MachineAnswering("dialog 133 return\n");
  UiProcessState state;
  const Languages languages;
  LanguageChoiceDialog dialog(languages.lists(), "", state);
  EXPECT_EQ(machine.platform().ui.RunDialog(dialog), 1);
  EXPECT_FALSE(state.return_key_armed);
}

// Fault pinned: a script without languages has no entry 0; the choice fails
// instead of reading past the lists.
TEST(LanguageChoiceTest, NoLanguagesFailsRatherThanTakingAnEntryThatIsNotThere) {
  Languages none;
  none.keys.clear();
  EXPECT_FALSE(Choose("", nullptr, none).ok);
  std::string recorded = "English";
  EXPECT_FALSE(Choose("", &recorded, none).ok);
}

TEST(MessagePopupTest, ALongTextGrowsAboutTheCentreAndKeepsTheTop) {
  testing::TestMachine machine;
  MessagePopup popup;
  ASSERT_TRUE(popup.Open(machine.platform().ui, BoxOwner::MainWindow));
  const host::RecordingDialogView& view = *UiOf(machine).windows().back();
  const Rect before = view.state().window;
  EXPECT_EQ(before, Centred(before.width(), before.height()));
  popup.ShowText("Zephra : removing the files");
  const Rect after = view.state().window;
  const Size text{27 * 10, 22};  // Times New Roman 14 on the simulated machine
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.width(), text.width + 20);
  EXPECT_EQ(after.height(), text.height + 20);
  EXPECT_EQ(after.left, before.left + (before.width() - after.width()) / 2);
  EXPECT_EQ(view.state().control(1017).text, "Zephra : removing the files");
  EXPECT_EQ(view.state().control(1017).rect, RectAt(-3, 7, after.width(), after.height()));
  popup.Close();
  EXPECT_NE(machine.Transcript().find("window id=138 caption=\"\" 1017=\"Zephra : removing the files\""),
            std::string::npos);
  EXPECT_NE(machine.Transcript().find("window id=138 closed"), std::string::npos);
}

TEST(MessageWindowsTest, TheSplashAndTheInformationPictureAreCentredAtTheirSizes) {
  testing::TestMachine machine = MachineAnswering("dialog 155 escape\n");
  SplashWindow splash;
  ASSERT_TRUE(splash.Open(machine.platform().ui));
  const host::RecordingDialogView& view = *UiOf(machine).windows().back();
  EXPECT_EQ(view.state().window, Centred(637, 245));
  ASSERT_NE(view.canvas(), nullptr);
  const auto& bitmap = dynamic_cast<const IndexedBitmap&>(*splash.picture().bitmap);
  EXPECT_EQ(view.canvas()->ColourAt(470, 120), bitmap.ColourAt(470, 120));
  splash.Hide();
  EXPECT_FALSE(view.state().visible);

  PictureInfoDialog information;
  EXPECT_EQ(information.Run(machine.platform().ui), 2);
  EXPECT_EQ(UiOf(machine).dialogs()[0].shown.window, Centred(346, 166));
  EXPECT_EQ(UiOf(machine).dialogs()[0].shown.caption, "Information");
}

TEST(WindowPlacementTest, SizesInWordsAndCentring) {
  const SizeUnits units{"bytes", "KB", "MB"};
  struct Row {
    std::uint64_t blocks;
    const char* text;
  };
  // 8388608 blocks are 4 GiB: past 32 bits of bytes, still counted right.
  const Row rows[] = {{0, "0 bytes"},    {1, "512 bytes"}, {2, "1 KB"},
                      {2047, "1023 KB"}, {2048, "1 MB"},   {8388608, "4096 MB"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.blocks);
    EXPECT_EQ(FormatBlocks(row.blocks, units), row.text);
  }
  EXPECT_EQ(CenteredOnScreen(RectAt(5, 5, 641, 481), {1024, 768}), RectAt(512 - 320, 384 - 240, 641, 481));
  EXPECT_EQ(CenteredOnScreen(RectAt(0, 0, 900, 700), {800, 600}), RectAt(-50, -50, 900, 700));
}

TEST(DialogTemplatesTest, TheResourceScriptHoldsEveryDialogAtItsSize) {
  const auto& templates = host::ProgramDialogTemplates();
  for (int id : {102, 103, 130, 132, 133, 137, 138, 139, 142, 144, 147, 148, 150, 155, 159, 163, 174, 175}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(templates.count(id), 1u);
  }
  struct Row {
    int id;
    int width;
    int height;
    const char* caption;
    std::vector<int> controls;
  };
  const Row rows[] = {
      {133, 176, 47, "Tarvex Installer - Language Choice", {-1, 1009, 1}},
      {150, 366, 53, "Question", {1017, 1, 2}},
      {142, 238, 62, "Configuration", {1021, 1020, 1000, 1001, 2}},
      {130, 312, 134, "Choix de la configuration", {1008, 1019, 1, 2, 3, 4, 5}},
      {144, 295, 194, "Infos on no matchhing", {1024, 1019, 1025, 1020, 1}},
      {159, 281, 48, "Tests choice", {1039, 1, 2}},
      {174, 300, 64, "Details ...", {1005, 1006}},
      {163, 275, 55, "URL", {1042, 1}},
      {148, 217, 172, "Browse", {1029, 1028, 1, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const host::DialogTemplate& dialog = templates.at(row.id);
    EXPECT_EQ(dialog.units, RectAt(0, 0, row.width, row.height));
    EXPECT_EQ(dialog.caption, row.caption);
    std::vector<int> ids;
    for (const auto& control : dialog.controls) ids.push_back(control.id);
    EXPECT_EQ(ids, row.controls);
  }
  const host::DialogTemplate& language = templates.at(133);
  EXPECT_EQ(language.controls[1].units, RectAt(7, 22, 105, 54));
  EXPECT_EQ(language.controls[2].units, RectAt(119, 22, 50, 14));
  EXPECT_EQ(templates.at(150).controls[0].units, RectAt(3, 7, 360, 19));
  EXPECT_EQ(templates.at(148).controls[1].units, RectAt(2, 17, 158, 153));
  for (const auto& control : templates.at(102).controls) {
    SCOPED_TRACE(control.id);
    EXPECT_FALSE(control.visible);
    EXPECT_TRUE(control.owner_drawn);
  }
}

}  // namespace
}  // namespace tvx
