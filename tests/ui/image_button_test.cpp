// Image buttons and the button guide as the panel drives them: faces,
// pointer and keys, Return arming, the guide's picture and placement.
#include "ui/image_button.h"

#include <gtest/gtest.h>

#include "platform/host/recording_dialog_view.h"
#include "support/test_machine.h"
#include "ui/button_guide.h"
#include "ui/ui_test_support.h"

namespace tvx {
namespace {

using Face = ImageButton::Face;

class ImageButtonTest : public ::testing::Test {
 protected:
  ImageButtonTest()
      : view_(host::ProgramDialogTemplates().at(102), {{800, 600}, &machine_.platform().ui, false}),
        palette_(DefaultSystemPalette()),
        source_{
            machine_.platform(), [] { return std::string("C:\\InstData"); },
            [](int number) { return number == 110 ? std::string("inst") : "pic" + std::to_string(number); }} {
    // Each face a different size, so a draw shows which one it was.
    int width = 10;
    for (const char* suffix : {"u", "d", "f", "x"})
      Picture(std::string("inst") + suffix + ".pcx", width++, 1);
    int guide_width = 30;
    for (const char* suffix : {"_i", "_u", "_s", "_e"})
      Picture(std::string("pic114") + suffix + ".pcx", guide_width++, 2);
    for (const char* suffix : {"u", "d", "f", "x"}) Picture(std::string("pic115") + suffix + ".pcx", 5, 5);
  }

  void Picture(const std::string& name, int width, int height) {
    testing::PcxFile file{width - 1, height - 1, width, std::vector<std::uint8_t>(width * height, 20)};
    machine_.WriteFile("C:\\InstData\\" + name, testing::PcxBytes(file));
  }

  // The install button, on the panel with or without a guide.
  ImageButton& Install(bool guide_on) {
    install_ = std::make_unique<ImageButton>(source_, state_, guide_on);
    EXPECT_TRUE(install_->Create(view_, 1000, 110, 40, 50, palette_));
    return *install_;
  }
  ButtonGuide& Guide(bool keep_guides) {
    state_.guide = std::make_unique<ButtonGuide>(source_, keep_guides);
    const std::array<GuidePosition, 4> positions{{{1, 2}, {3, 4}, {5, 6}, {7, 8}}};
    EXPECT_TRUE(state_.guide->Create(view_, 1007, 114, positions, palette_));
    return *state_.guide;
  }
  host::HostButtonControl& Control(int id) { return *view_.button(id); }

  testing::TestMachine machine_;
  host::RecordingDialogView view_;
  IndexedPalette palette_;
  PictureSource source_;
  UiProcessState state_;
  std::unique_ptr<ImageButton> install_;
};

TEST_F(ImageButtonTest, CreateShowsTheUpFaceAndADisabledButtonShowsItsOwn) {
  ImageButton& button = Install(false);
  EXPECT_TRUE(Control(1000).state().visible);
  EXPECT_EQ(button.face(), Face::Up);
  button.SetEnabled(false);
  EXPECT_EQ(button.face(), Face::Disabled);
  EXPECT_FALSE(Control(1000).state().enabled);
  EXPECT_EQ(Control(1000).drawn(), button.picture(Face::Disabled));
  EXPECT_EQ(Control(1000).state().rect, RectAt(40, 50, 13, 1));  // "x.pcx" is 13 wide
  button.SetEnabled(true);
  EXPECT_EQ(Control(1000).drawn(), button.picture(Face::Up));
  EXPECT_EQ(Control(1000).state().rect, RectAt(40, 50, 10, 1));
}

TEST_F(ImageButtonTest, AMissingPictureStopsTheLoadingAndTheButtonStaysHidden) {
  machine_.platform().files.RemoveFile("C:\\InstData\\instf.pcx");
  ImageButton button(source_, state_, false);
  EXPECT_FALSE(button.Create(view_, 1000, 110, 0, 0, palette_));
  EXPECT_FALSE(Control(1000).state().visible);
  EXPECT_EQ(button.picture(Face::Disabled), nullptr);  // never tried after the failure
  EXPECT_NE(machine_.Transcript().find("Can't open C:\\\\InstData\\\\instf.pcx !!"), std::string::npos);
  ImageButton absent(source_, state_, false);
  EXPECT_FALSE(absent.Create(view_, 4711, 110, 0, 0, palette_));  // no such control
}

TEST_F(ImageButtonTest, ThePointerMovesTheFacesAndTheCapture) {
  struct Step {
    const char* label;
    std::function<void(ImageButton&)> event;
    Face face;
    bool captured;
    bool pressed;
  };
  const Step steps[] = {
      {"hover", [](ImageButton& b) { b.OnPointerMove(true, false); }, Face::Focus, true, false},
      {"press", [](ImageButton& b) { b.OnLeftDown(true); }, Face::Down, true, true},
      {"drag inside", [](ImageButton& b) { b.OnPointerMove(true, true); }, Face::Down, true, true},
      {"release keeps the face", [](ImageButton& b) { b.OnLeftUp(); }, Face::Down, true, false},
      {"leave", [](ImageButton& b) { b.OnPointerMove(false, false); }, Face::Up, false, false},
      {"focus", [](ImageButton& b) { b.OnFocus(true); }, Face::Focus, false, false},
      {"focus lost", [](ImageButton& b) { b.OnFocus(false); }, Face::Up, false, false},
  };
  ImageButton& button = Install(false);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.label);
    step.event(button);
    EXPECT_EQ(button.face(), step.face);
    EXPECT_EQ(Control(1000).drawn(), button.picture(step.face));
    EXPECT_EQ(Control(1000).captured(), step.captured);
    EXPECT_EQ(button.pressed(), step.pressed);
  }
  EXPECT_TRUE(Control(1000).focused());
  button.SetEnabled(false);
  button.OnFocus(false);
  EXPECT_EQ(button.face(), Face::Disabled);
}

TEST_F(ImageButtonTest, ReturnActsOnlyOnceArmed) {
  ImageButton& button = Install(false);
  state_.return_key_armed = false;
  button.OnKey(kReturnKey);
  EXPECT_TRUE(Control(1000).posted().empty());
  EXPECT_TRUE(state_.return_key_armed);
  button.OnKey(kReturnKey);
  EXPECT_EQ(Control(1000).posted(), std::vector<int>{1000});
  state_.return_key_armed = false;
  button.OnKey(32);  // any other key arms it too
  EXPECT_TRUE(state_.return_key_armed);
  EXPECT_EQ(Control(1000).posted().size(), 1u);
}

TEST_F(ImageButtonTest, TheGuideFollowsTheFocusedButtonToItsPosition) {
  ButtonGuide& guide = Guide(false);
  ImageButton& button = Install(true);
  guide.OnDraw();  // shown at first: the install picture
  EXPECT_EQ(guide.shown(), 1000);
  EXPECT_EQ(Control(1007).state().rect, RectAt(1, 2, 30, 2));
  guide.SetGuideFor(1002);
  EXPECT_EQ(Control(1007).state().rect, RectAt(5, 6, 32, 2));
  button.OnPointerMove(true, false);
  EXPECT_EQ(guide.shown(), 1000);
  EXPECT_EQ(Control(1007).drawn(), guide.picture(0));
  // The hover takes the focus, which moves the guide once more, as the
  // focus message does under Windows.
  EXPECT_EQ(Control(1007).erasing_moves(), 4);

  ImageButton web(source_, state_, true);
  ASSERT_TRUE(web.Create(view_, 1004, 115, 0, 0, palette_));
  const int draws = Control(1007).draws();
  web.OnPointerMove(true, false);
  EXPECT_EQ(guide.requested(), 1004);
  EXPECT_EQ(guide.shown(), 1000);
  EXPECT_EQ(Control(1007).draws(), draws);
  guide.OnDraw();  // a repaint still shows the install picture
  EXPECT_EQ(Control(1007).drawn(), guide.picture(0));
}

TEST_F(ImageButtonTest, GuidesStayOnThePanelWhenTheScriptSaysSoAndTakeNoInput) {
  ButtonGuide& guide = Guide(true);
  guide.SetGuideFor(2);
  EXPECT_EQ(guide.shown(), 1000);  // the first picture shown is always the install one
  guide.SetGuideFor(2);
  EXPECT_EQ(Control(1007).keeping_moves(), 2);
  EXPECT_EQ(Control(1007).erasing_moves(), 0);
  EXPECT_FALSE(guide.TakesInput());
  guide.SetEnabled(true);
  EXPECT_TRUE(guide.enabled());
  EXPECT_EQ(guide.shown(), 2);
}

TEST_F(ImageButtonTest, WithTheGuideOffHoveringNeverAsksForAGuidePicture) {
  ButtonGuide& guide = Guide(false);
  ImageButton& button = Install(false);
  button.OnPointerMove(true, false);
  EXPECT_EQ(guide.requested(), 0);
  EXPECT_EQ(Control(1007).draws(), 0);
}

TEST_F(ImageButtonTest, AReloadRedrawsIntoTheSameBitmapsAndKeepsTheFace) {
  ImageButton& button = Install(false);
  button.OnFocus(true);
  const OffscreenBitmap* up = button.picture(Face::Up);
  const int draws = Control(1000).draws();
  // Regression: a reload rebuilds the panel palette, and the buttons kept
  // drawing through the one it replaced.
  const IndexedPalette rebuilt(DefaultSystemPalette());
  EXPECT_TRUE(button.Reload(110, rebuilt));
  button.OnDraw();
  EXPECT_EQ(Control(1000).palette(), &rebuilt);
  EXPECT_EQ(button.picture(Face::Up), up);
  EXPECT_EQ(button.face(), Face::Focus);
  EXPECT_EQ(Control(1000).draws(), draws + 1);
  machine_.platform().files.RemoveFile("C:\\InstData\\instd.pcx");
  EXPECT_FALSE(button.Reload(110, rebuilt));
}

TEST_F(ImageButtonTest, TheFirstEnabledButtonInTheDialogTakesTheFocusWhenItOpens) {
  for (const bool install_enabled : {true, false}) {
    SCOPED_TRACE(install_enabled ? "install enabled" : "install disabled");
    host::RecordingDialogView view(host::ProgramDialogTemplates().at(102), {{800, 600}, nullptr, false});
    ImageButton install(source_, state_, false);
    ImageButton uninstall(source_, state_, false);
    ASSERT_TRUE(install.Create(view, 1000, 110, 0, 0, palette_));
    ASSERT_TRUE(uninstall.Create(view, 1003, 115, 0, 20, palette_));
    install.SetEnabled(install_enabled);
    view.FocusFirstControl();
    EXPECT_EQ(install.face(), install_enabled ? Face::Focus : Face::Disabled);
    EXPECT_EQ(uninstall.face(), install_enabled ? Face::Up : Face::Focus);
    view.FocusFirstControl();  // a control that has the focus keeps it
    EXPECT_EQ(view.button(1003)->focused(), !install_enabled);
  }
}

}  // namespace
}  // namespace tvx
