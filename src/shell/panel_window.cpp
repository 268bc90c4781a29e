#include "shell/panel_window.h"

#include "detection/choose_configuration.h"
#include "ui/window_placement.h"

namespace tvx {
namespace {

constexpr int kTitleString = 270;
constexpr int kGuideString = 114;
constexpr int kWebSlot = 4;

}  // namespace

std::string LocalizedApplicationName(StringTable& strings, Ui& ui, const InstallScript& script) {
  const std::int32_t number = strings.SectionNumber("LocalizedApplicationName");
  return number != 0 ? strings.LookupString(ui, number) : script.application_name;
}

PanelWindow::PanelWindow(Session& session, InstallScript& script, ConfigurationMatcher& matcher,
                         std::function<std::string()> install_data_folder)
    : session_(session),
      script_(script),
      matcher_(matcher),
      pictures_{session.platform, std::move(install_data_folder),
                [this](int number) { return Text(number); }},
      buttons_{{{command::kInstall, 110, nullptr},
                {command::kUninstall, 111, nullptr},
                {command::kPlay, 112, nullptr},
                {command::kQuit, 113, nullptr},
                {command::kWeb, 115, nullptr}}} {}

std::string PanelWindow::Text(int number) {
  return session_.script_state.strings.LookupString(session_.platform.ui, number);
}

PanelWindow::SetUp PanelWindow::Create(DialogView& view, SplashWindow* splash) {
  view.SetTitle(Text(kTitleString) +
                LocalizedApplicationName(session_.script_state.strings, session_.platform.ui, script_));
  if (splash) splash->Hide();
  if (!CreatePictures(view)) return SetUp::PicturesMissing;
  if (session_.script_state.button_guide && !CreateGuide(view)) return SetUp::GuideMissing;
  if (!DecideStates()) return SetUp::NothingToDo;
  ApplyStates();
  Place(view);
  if (matcher_.installed() || !matcher_.no_match()) view.Invalidate();
  return SetUp::Ready;
}

bool PanelWindow::CreatePictures(DialogView& view) {
  if (!background_.Load(session_.platform, PicturePath(pictures_.install_data_folder(), script_.image)))
    return false;
  const LogicalPalette& palette = *background_.palette();
  const bool guide_on = session_.script_state.button_guide;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    ButtonSlot& slot = buttons_[i];
    if (i == kWebSlot && !script_.web_button) break;
    const ScreenPosition at = i == kWebSlot ? script_.web_button_position : script_.button_positions[i];
    slot.widget = std::make_unique<ImageButton>(pictures_, session_.ui_state, guide_on);
    if (!slot.widget->Create(view, slot.command_id, slot.string_number, at.x, at.y, palette)) return false;
  }
  return true;
}

bool PanelWindow::CreateGuide(DialogView& view) {
  std::array<GuidePosition, 4> positions;
  for (std::size_t i = 0; i < positions.size(); ++i)
    positions[i] = {script_.guide_positions[i].x, script_.guide_positions[i].y};
  auto& guide = session_.ui_state.guide;
  guide = std::make_unique<ButtonGuide>(pictures_, session_.script_state.keep_guides);
  return guide->Create(view, command::kGuide, kGuideString, positions, *background_.palette());
}

bool PanelWindow::DecideStates() {
  const auto facts = [this] {
    return PanelFacts{matcher_.installed(), matcher_.InstalledConfigurationUsable(), !matcher_.no_match(),
                      matcher_.playable_found()};
  };
  const auto decided = DecideButtonStates(
      facts, [this] { AskAboutNoMatch(matcher_); }, script_.web_button);
  if (!decided) return false;
  states_ = *decided;
  return true;
}

void PanelWindow::ApplyStates() {
  const bool enabled[] = {states_.install, states_.uninstall, states_.play, states_.quit, states_.web};
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].widget) buttons_[i].widget->SetEnabled(enabled[i]);
  if (session_.ui_state.guide) session_.ui_state.guide->SetEnabled(false);
}

void PanelWindow::Place(DialogView& view) {
  view.MoveWindow(RectAt(0, 0, kPanelWidth, kPanelHeight));
  CenterOnScreen(view);
}

void PanelWindow::Paint(DialogView& view) {
  const Rect window = view.WindowRect();
  if (window.width() != kPanelWidth || window.height() != kPanelHeight)
    view.MoveWindow(RectAt(window.left, window.top, kPanelWidth, kPanelHeight));
  if (background_.bitmap()) view.PaintBitmap(*background_.bitmap(), background_.palette(), 0, 0);
}

void PanelWindow::ReloadPictures() {
  if (!background_.Reload(session_.platform, PicturePath(pictures_.install_data_folder(), script_.image)))
    return;
  const LogicalPalette& palette = *background_.palette();
  for (ButtonSlot& slot : buttons_)
    if (slot.widget) slot.widget->Reload(slot.string_number, palette);
  if (session_.ui_state.guide) session_.ui_state.guide->Reload(kGuideString, palette);
}

const ImageButton* PanelWindow::button(int command_id) const {
  for (const ButtonSlot& slot : buttons_)
    if (slot.command_id == command_id) return slot.widget.get();
  return nullptr;
}

// Without the product, Install is always offered: no question comes back
// about a machine that fits nothing.
void PanelWindow::RefreshStates() {
  if (matcher_.installed()) {
    if (!DecideStates()) return;
  } else {
    states_ = ButtonStates{true, false, matcher_.playable_found(), true, script_.web_button};
  }
  ApplyStates();
}

void PanelWindow::ReleaseButton(int command_id) {
  for (ButtonSlot& slot : buttons_)
    if (slot.command_id == command_id && slot.widget) slot.widget->Release();
}

}  // namespace tvx
