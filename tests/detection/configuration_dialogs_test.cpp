// The configuration dialogs on the simulated machine, driven by answer
// scripts: what the user sees in them and what they decide.
#include <gtest/gtest.h>

#include "detection/auto_config_dialog.h"
#include "detection/choose_configuration.h"
#include "detection/component_choice_dialog.h"
#include "detection/config_choice_dialog.h"
#include "detection/details_dialog.h"
#include "detection/matching_rig.h"
#include "detection/no_match_dialog.h"
#include "detection/url_choice_dialog.h"

namespace tvx::testing {
namespace {

using host::ControlState;
using host::DialogState;
using host::RecordingDialogView;

std::string Config(const std::string& type, const std::string& body) {
  return "CONFIG\nTYPE CONFIG\n" + type + "\n" + body + "END CONFIG\n";
}

std::vector<std::string> Items(const ControlState& list) {
  std::vector<std::string> texts;
  for (const auto& item : list.items)
    texts.push_back(item.text + (&item - list.items.data() == list.selected ? "*" : ""));
  return texts;
}

// The size text the dialogs show beside a configuration's name.
std::string Sized(MatchingRig& rig, std::size_t index) {
  return rig.matcher().SizedName(rig.configuration(index));
}

TEST(ChooseConfiguration, TheProposalIsInstalledChangedOrCancelled) {
  const struct {
    const char* answers;
    bool success;
    int chosen;  // -1: none
  } rows[] = {
      {"dialog 142 press 1000", true, 0},
      {"dialog 142 return", true, 0},
      {"dialog 142 press 1001\ndialog 130 select 1019 1\ndialog 130 press 1", true, 1},
      {"dialog 142 press 1001\ndialog 130 press 2", false, 2},  // left as it was
      {"dialog 142 press 2", false, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answers);
    MatchingRig rig(MatchingRig::Answering(row.answers));
    ASSERT_TRUE(rig.Load(ScriptWith(Config("A", "") + Config("A", "") + Config("A", ""))));
    ASSERT_TRUE(rig.matcher().Prepare(false));
    rig.matcher().set_chosen(&rig.configuration(2));
    EXPECT_EQ(ChooseConfiguration(rig.matcher()), row.success);
    EXPECT_EQ(rig.matcher().chosen(), row.chosen < 0 ? nullptr : &rig.configuration(row.chosen));
    const DialogState& proposal = rig.ui().dialogs().front().shown;
    EXPECT_EQ(proposal.id, 142);
    EXPECT_EQ(proposal.caption, "S170");
    EXPECT_EQ(proposal.control(1021).text, "S213");
    EXPECT_EQ(proposal.control(1020).text, Sized(rig, 0));
    EXPECT_EQ(proposal.control(1000).text, "S211");
    EXPECT_EQ(proposal.control(1001).text, "S212");
    EXPECT_TRUE(proposal.control(1001).enabled);
    EXPECT_EQ(proposal.control(2).text, "S176");
    EXPECT_TRUE(rig.ui().AnswerProblems().empty());
  }
}

TEST(ChooseConfiguration, AnAutomaticSequenceTakesTheProposalAndOneConfigurationCannotChange) {
  MatchingRig automatic;
  ASSERT_TRUE(automatic.Load(ScriptWith(Config("A", "") + Config("A", ""), "SEQUENCE AUTO\n")));
  ASSERT_TRUE(automatic.matcher().Prepare(false));
  EXPECT_TRUE(ChooseConfiguration(automatic.matcher()));
  EXPECT_EQ(automatic.matcher().chosen(), &automatic.configuration(0));
  EXPECT_TRUE(automatic.ui().dialogs().empty());

  MatchingRig single(MatchingRig::Answering("dialog 142 press 1001\ndialog 142 press 1000"));
  ASSERT_TRUE(single.Load(ScriptWith(Config("A", ""))));
  ASSERT_TRUE(single.matcher().Prepare(false));
  EXPECT_TRUE(ChooseConfiguration(single.matcher()));
  EXPECT_FALSE(single.ui().dialogs().back().shown.control(1001).enabled);
  // The disabled button cannot be pressed: the answer script says so.
  EXPECT_FALSE(single.ui().AnswerProblems().empty());
}

// Types A, B, A (no components), B, and a playable one; all fit.
std::string TypedScript(const std::string& header = "USE TYPE CONFIG\n") {
  const std::string components = "SOFTWARE COMPONENTS\nMicrosoft Direct Draw,DD,,0\n";
  return ScriptWith(Config("A", components) + Config("B", components) + Config("A", "") +
                        Config("B", components) + Config("A", "PLAYABLE CONFIG\n"),
                    header);
}

TEST(ConfigChoiceDialog, UseTypeConfigListsTheFirstTypeThenTheOthersOnDemand) {
  MatchingRig rig(
      MatchingRig::Answering("dialog 130 select 1019 1\n"
                             "dialog 130 select 1019 2\ndialog 130 press 1\n"
                             "box IDOK caption=\"Configuration selection error\" text~\"You must select a "
                             "configuration to install !\"\n"
                             "dialog 130 double-click 1019 2\ndialog 130 press 1"));
  ASSERT_TRUE(rig.Load(TypedScript()));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  ConfigChoiceDialog dialog(rig.matcher());
  EXPECT_EQ(dialog.Run(rig.platform().ui), 1);
  EXPECT_EQ(dialog.selection(), &rig.configuration(0))
      << "after the expansion the first item is the selection";
  const DialogState& shown = rig.ui().dialogs()[0].shown;
  EXPECT_EQ(shown.caption, "S170");
  EXPECT_EQ(shown.control(1008).text, "S171");
  EXPECT_EQ((std::vector<std::string>{shown.control(1).text, shown.control(2).text, shown.control(3).text,
                                      shown.control(4).text, shown.control(5).text}),
            (std::vector<std::string>{"S175", "S176", "S191", "S194", "S195"}));
  EXPECT_EQ(Items(shown.control(1019)),
            (std::vector<std::string>{Sized(rig, 0) + "*", Sized(rig, 2), "..."}));
  EXPECT_TRUE(shown.control(5).enabled);
  const DialogState& last = rig.ui().dialogs()[0].view->state();
  EXPECT_EQ(Items(last.control(1019)),
            (std::vector<std::string>{Sized(rig, 0) + "*", Sized(rig, 2), Sized(rig, 1), Sized(rig, 3)}));
  EXPECT_TRUE(rig.ui().AnswerProblems().empty()) << ::testing::PrintToString(rig.ui().AnswerProblems());
  EXPECT_NE(
      rig.machine().Transcript().find("actions=\"select 1019 1; select 1019 2; press 1; double-click 1019 2; "
                                      "press 1\" end=1"),
      std::string::npos);
}

TEST(ConfigChoiceDialog, TestsNeedComponentsAndWithoutTypesEveryConfigurationIsListed) {
  MatchingRig rig(MatchingRig::Answering("dialog 130 select 1019 2\ndialog 130 press 2"));
  ASSERT_TRUE(rig.Load(TypedScript("")));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  ConfigChoiceDialog dialog(rig.matcher());
  EXPECT_EQ(dialog.Run(rig.platform().ui), 2);
  const DialogState& shown = rig.ui().dialogs()[0].shown;
  EXPECT_EQ(Items(shown.control(1019)),
            (std::vector<std::string>{Sized(rig, 0) + "*", Sized(rig, 1), Sized(rig, 2), Sized(rig, 3)}));
  EXPECT_TRUE(shown.control(5).enabled);
  EXPECT_FALSE(rig.ui().dialogs()[0].view->state().control(5).enabled) << "configuration 2 has no components";
}

TEST(ConfigChoiceDialog, OthersExplainsThenMatchesAgainOnTheFreeSpaceOfNow) {
  MatchingRig rig(
      MatchingRig::Answering("dialog 130 select 1019 1\ndialog 130 press 4\ndialog 144 press 1\n"
                             "dialog 130 press 1"));
  ASSERT_TRUE(rig.Load(ScriptWith(Config("A", "SPECIFIC FILES\nBig.dat,D,D,300000000\nEND SPECIFIC FILES\n") +
                                  Config("A", "") + Config("A", ""))));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  // The disk fills up after the drives were listed.
  rig.machine().WriteSizedFile("C:\\Other\\Video.avi", 300000000);
  ConfigChoiceDialog dialog(rig.matcher());
  EXPECT_EQ(dialog.Run(rig.platform().ui), 1);
  ASSERT_EQ(rig.ui().dialogs().size(), 2u);
  EXPECT_EQ(rig.ui().dialogs()[0].shown.id, 144);
  EXPECT_EQ(Items(rig.ui().dialogs()[1].shown.control(1019)).size(), 3u);
  // The remembered index 1 now shows configuration 2: the selection follows it.
  EXPECT_EQ(Items(rig.ui().dialogs()[1].view->state().control(1019)),
            (std::vector<std::string>{Sized(rig, 1), Sized(rig, 2) + "*"}));
  EXPECT_EQ(dialog.selection(), &rig.configuration(2));
}

TEST(NoMatchDialog, TellsWhatEachConfigurationLacks) {
  const struct {
    const char* label;
    const char* machine;
    std::string body;
    std::vector<std::string> lines;
  } rows[] = {
      {"named and raw hardware values, a bare line by its name",
       "{}",
       "HARDWARE COMPONENTS\nCPU > 1005\nMemory > 128\nMemory < 16\nWindows colors = 1024\n3DFX\nMMX\n",
       {"S150 : S234 Pentium III", "S154 : S234 128 MB", "S154 : S235 16 MB", "S152 : S236 32 bits", "S155"}},
      {"system lines of every form",
       "{}",
       "OPERATING SYSTEMS\nW95\n!W98\nWNT4.0 > 1123\nW95 = 1102\n",
       {"S450", "S239 S451", "S452 : S234 NT4 SP3", "S450 : S236 95 B"}},
      {"an administrator line by its name",
       R"({"os": {"platform": 2, "major": 4, "minor": 0}, "administrator": false})",
       "OPERATING SYSTEMS\nWNT4.0\nAdministrator right\n",
       {"S456"}},
      {"system lines only when the system step fails", "{}", "OPERATING SYSTEMS\nW95\nW98\n", {"S238"}},
      {"only the space", "{}", "SPECIFIC FILES\nBig.dat,D,D,2000000000\nEND SPECIFIC FILES\n", {"S237"}},
      {"nothing lacking", "{}", "HARDWARE COMPONENTS\nMemory > 8\n", {"S238"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MatchingRig rig(MatchingRig::Patched(row.machine));
    ASSERT_TRUE(rig.Load(ScriptWith(Config("A", row.body) + Config("A", "PLAYABLE CONFIG\n"))));
    ASSERT_TRUE(rig.matcher().Prepare(false));
    NoMatchDialog(rig.matcher()).Run(rig.platform().ui);
    const DialogState& shown = rig.ui().dialogs().back().shown;
    EXPECT_EQ(shown.caption, "S230");
    EXPECT_EQ(
        (std::vector<std::string>{shown.control(1024).text, shown.control(1025).text, shown.control(1).text}),
        (std::vector<std::string>{"S231", "S232", "S233"}));
    EXPECT_EQ(Items(shown.control(1019)), (std::vector<std::string>{Sized(rig, 0) + "*", "Config1"}));
    std::vector<std::string> lines;
    for (const auto& item : shown.control(1020).items) lines.push_back(item.text);
    EXPECT_EQ(lines, row.lines);
  }
}

TEST(NoMatchDialog, ThePictureComesBeforeTheMmxLineAndSelectingShowsAnotherConfiguration) {
  MatchingRig rig(MatchingRig::Patched(R"({"cpu": {"mmx": false}})",
                                       "dialog 155 escape\ndialog 144 select 1019 1\ndialog 144 press 1"));
  ASSERT_TRUE(rig.Load(ScriptWith(Config("A", "HARDWARE COMPONENTS\nCPU > 1004\nMMX\n") +
                                  Config("A", "HARDWARE COMPONENTS\nCPU > 1005\n"))));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  NoMatchDialog(rig.matcher()).Run(rig.platform().ui);
  ASSERT_EQ(rig.ui().dialogs().size(), 2u);
  EXPECT_EQ(rig.ui().dialogs()[0].shown.id, 155);
  EXPECT_EQ(Items(rig.ui().dialogs()[1].shown.control(1020)),
            (std::vector<std::string>{"S150 : S234 Pentium II", "S153"}));
  EXPECT_EQ(Items(rig.ui().dialogs()[1].view->state().control(1020)),
            (std::vector<std::string>{"S150 : S234 Pentium III"}));
  EXPECT_TRUE(rig.ui().AnswerProblems().empty()) << ::testing::PrintToString(rig.ui().AnswerProblems());
}

TEST(ComponentChoiceDialog, SixBoxesAndTheButtonsBelowThem) {
  const std::string six =
      "SOFTWARE COMPONENTS\nVideo For Windows,V,,0\nMicrosoft Direct Draw,DD,,0\nMicrosoft Direct X,DX,,0\n"
      "VFW Indeo,I,,0\nDXMedia,M,,0\nAMovie,A,,0\n";
  const struct {
    const char* answers;
    int end;
    std::vector<bool> selected;
  } rows[] = {
      {"dialog 159 check 1001 0\ndialog 159 check 1004 0\ndialog 159 press 1", 1, {1, 0, 1, 1, 0, 1}},
      {"dialog 159 check 1001 0\ndialog 159 escape", 2, {1, 1, 1, 1, 1, 1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answers);
    MatchingRig rig(MatchingRig::Answering(row.answers));
    ASSERT_TRUE(rig.Load(ScriptWith(Config("A", six))));
    std::vector<Requirement>& software = rig.configuration(0).software;
    rig.matcher().SetNames();
    EXPECT_EQ(ComponentChoiceDialog(rig.matcher(), software).Run(rig.platform().ui), row.end);
    std::vector<bool> selected;
    for (const Requirement& requirement : software) selected.push_back(requirement.selected);
    EXPECT_EQ(selected, row.selected);

    const DialogState& shown = rig.ui().dialogs()[0].shown;
    EXPECT_EQ(shown.caption, "S380");
    EXPECT_EQ(shown.control(1039).text, "S381");
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(shown.control(1000 + i).kind, host::ControlClass::CheckBox);
      EXPECT_TRUE(shown.control(1000 + i).checked);
      EXPECT_EQ(shown.control(1000 + i).rect, (Rect{10, 30 + 20 * i, 200, 45 + 20 * i}));
    }
    EXPECT_EQ(shown.control(1000).text, "S160");
    const Rect ok = shown.control(1).rect;
    const Rect cancel = shown.control(2).rect;
    EXPECT_EQ(ok.top, 155);
    EXPECT_EQ(cancel.top, 155);
    const int centre = shown.window.width() / 2 - RecordingDialogView::kFrame;
    EXPECT_EQ(ok.right, centre - 10);
    EXPECT_EQ(cancel.left, centre + 10);
    EXPECT_EQ(shown.window.height(),
              RecordingDialogView::kFrame + RecordingDialogView::kCaption + cancel.bottom + 30);
    EXPECT_EQ(shown.window.left, 400 - shown.window.width() / 2) << "centred";
    EXPECT_FALSE(rig.ui().dialogs()[0].view->state().controls.count(1000)) << "the boxes are destroyed";
  }
}

TEST(DetailsDialog, TheTableShowsTheMachineAndTheRequirementsAndARetestRefreshesBoth) {
  MatchingRig rig(
      MatchingRig::Answering("dialog 130 press 3\ndialog 174 press 1201\ndialog 174 escape\n"
                             "dialog 130 press 2"));
  ASSERT_TRUE(rig.Load(ScriptWith(
      Config(
          "A",
          "HARDWARE COMPONENTS\nCPU > 1002\nMemory > 32\nSOFTWARE COMPONENTS\nMicrosoft Direct X,DX,,0\n") +
      Config("A", "HARDWARE COMPONENTS\nWindows colors > 1023\nSOFTWARE COMPONENTS\nIndeo5,I5,,0\n"))));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  rig.test("Windows colors").probe = [] { return 4; };  // the depth changed to 32 bits
  ConfigChoiceDialog(rig.matcher()).Run(rig.platform().ui);
  ASSERT_EQ(rig.ui().dialogs().size(), 2u);

  const DialogState& table = rig.ui().dialogs()[0].shown;
  EXPECT_EQ(table.caption, "S191");
  EXPECT_EQ(table.control(1005).text, "S172");
  EXPECT_EQ(table.control(1006).text, "S173");
  const auto row = [&table](int first, int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(table.control(first + i).text);
    return texts;
  };
  EXPECT_EQ(row(1300, 5), (std::vector<std::string>{"S177", "S178", "S179", "S177", "S179"}));
  EXPECT_EQ(row(1200, 3), (std::vector<std::string>{"S150", "S152", "S154"}));
  EXPECT_EQ(row(1220, 3), (std::vector<std::string>{"Pentium Pro", "65536", "64 MB"}));
  EXPECT_EQ(row(1240, 3), (std::vector<std::string>{"Pentium", "S193", "32 MB"}));
  EXPECT_EQ(row(1260, 2), (std::vector<std::string>{"S163", "S167"}));
  EXPECT_EQ(row(1280, 2), (std::vector<std::string>{"S1", "S0"}));
  EXPECT_EQ(table.control(1200).kind, host::ControlClass::Button);
  EXPECT_TRUE(table.control(1220).framed);

  // Rows one text line and 10 pixels high, 3 apart; columns 3 apart; the
  // cells inside their group; the dialog at most 640 pixels wide.
  const int height = table.control(1200).rect.height();
  EXPECT_EQ(table.control(1201).rect.top - table.control(1200).rect.bottom, 3);
  EXPECT_EQ(table.control(1220).rect.left - table.control(1200).rect.right, 3);
  EXPECT_EQ(height, table.control(1220).rect.height());
  for (const int id : {1300, 1202, 1242})
    EXPECT_TRUE(table.control(1005).rect.Contains(table.control(id).rect.right - 1,
                                                  table.control(id).rect.bottom - 1))
        << id;
  EXPECT_TRUE(table.control(1006).rect.Contains(table.control(1281).rect.right - 1,
                                                table.control(1281).rect.bottom - 1));
  EXPECT_LE(table.window.width(), 640);

  EXPECT_EQ(rig.ui().dialogs()[0].view->state().control(1221).text, "32 bits");
  const DialogState& choice = rig.ui().dialogs()[1].shown;
  const DialogState& after = rig.ui().dialogs()[1].view->state();
  EXPECT_EQ(Items(choice.control(1019)).size(), 1u);
  EXPECT_EQ(Items(after.control(1019)), (std::vector<std::string>{Sized(rig, 0) + "*", Sized(rig, 1)}));
}

TEST(DetailsDialog, AWideTableIsNarrowedToTheScreenWidthOfTheDialog) {
  MatchingRig rig;
  std::string strings = TestStrings();
  strings.replace(strings.find("150:S150"), 8, "150:" + std::string(300, 'W'));
  ASSERT_TRUE(rig.Load(ScriptWith(Config("A", "HARDWARE COMPONENTS\nCPU > 1002\n")), strings));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  DetailsDialog(rig.matcher(), rig.configuration(0), {}).Run(rig.platform().ui);
  const DialogState& table = rig.ui().dialogs()[0].shown;
  EXPECT_EQ(table.window.width(), 640);
  EXPECT_LT(table.control(1200).rect.width(), 600);
  EXPECT_LE(table.control(1240).rect.right, 640);
}

TEST(UrlChoiceDialog, TheChosenAddress) {
  const std::vector<std::string> addresses{"http://www.zephra.example/",
                                           "http://www.zephra.example/support/"};
  const struct {
    const char* label;
    const char* answers;
    std::vector<std::string> list;
    int end;
    const char* chosen;
    bool armed;
  } rows[] = {
      {"OK on the first", "dialog 163 press 1", addresses, 1, "http://www.zephra.example/", true},
      {"Return on the second", "dialog 163 select 1042 1\ndialog 163 return", addresses, 1,
       "http://www.zephra.example/support/", false},
      // Pins a fault: a double-click ended the choice without taking the address.
      {"double-click", "dialog 163 double-click 1042 1", addresses, 1, "http://www.zephra.example/support/",
       true},
      {"escape", "dialog 163 escape", addresses, 2, "", true},
      {"no address", "", {}, 2, "", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MatchingRig rig(MatchingRig::Answering(row.answers));
    UiProcessState state;
    UrlChoiceDialog dialog(
        row.list, [](int number) { return "S" + std::to_string(number); }, state);
    EXPECT_EQ(dialog.Run(rig.platform().ui), row.end);
    EXPECT_EQ(dialog.chosen(), row.chosen);
    EXPECT_EQ(state.return_key_armed, row.armed);
    const DialogState& shown = rig.ui().dialogs()[0].shown;
    EXPECT_EQ(shown.caption, "S430");
    if (!row.list.empty()) {
      EXPECT_EQ(Items(shown.control(1042)),
                (std::vector<std::string>{addresses[0] + " *", addresses[1] + " "}));
    }
    EXPECT_TRUE(rig.ui().AnswerProblems().empty());
  }
}

TEST(AskAboutNoMatch, YesShowsTheExplanationAndEitherWayMatchesAgain) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes);
    MatchingRig rig(
        MatchingRig::Answering(yes ? "dialog 150 press 1\ndialog 144 press 1" : "dialog 150 press 2"));
    ASSERT_TRUE(rig.Load(ScriptWith(Config("A", "HARDWARE COMPONENTS\nMemory > 128\n"))));
    ASSERT_TRUE(rig.matcher().Prepare(false));
    rig.test("Memory").result = 256;  // as if memory had been added meanwhile
    AskAboutNoMatch(rig.matcher());
    const DialogState& question = rig.ui().dialogs().front().shown;
    EXPECT_EQ(rig.ui().dialogs().size(), yes ? 2u : 1u);
    EXPECT_EQ(question.id, 150);
    EXPECT_EQ(question.caption, "S220");
    EXPECT_EQ(question.control(1017).text, "S221\nS222");
    EXPECT_FALSE(rig.ui_state.return_key_armed);
    EXPECT_FALSE(rig.matcher().no_match());
  }
}

}  // namespace
}  // namespace tvx::testing
