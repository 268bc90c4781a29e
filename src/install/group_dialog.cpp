#include "install/group_dialog.h"

#include <algorithm>

#include "install/install_path.h"
#include "install/shortcut_places.h"
#include "platform/path_text.h"
#include "platform/shortcut_folders.h"
#include "ui/folder_browser.h"

namespace tvx {
namespace {

constexpr int kTitle = 140;
constexpr int kGroupLabel = 141;
constexpr int kBrowseLabel = 142;
constexpr int kOkLabel = 143;
constexpr int kRefusalCaption = 144;
constexpr int kRefusalText = 145;

// Room beside the text for the margins and the Browse button.
constexpr int kWidthBesideText = 140;

// Moves a control to x with that width, keeping its height and its place
// from the top.
void PlaceAt(DialogView& view, int id, int x, int width) {
  const Rect client = view.ScreenToClient(view.ControlRect(id));
  view.MoveControl(id, RectAt(x, client.top, width, client.height()));
}

}  // namespace

GroupDialog::GroupDialog(Platform& platform, UiProcessState& ui_state, std::string programs,
                         std::string group, TextLookup strings)
    : platform_(platform),
      ui_state_(ui_state),
      programs_(std::move(programs)),
      group_(std::move(group)),
      strings_(std::move(strings)) {}

std::string GroupDialog::RelativeGroup() const {
  const std::size_t skip = programs_.size() + 1;
  return skip <= group_.size() ? group_.substr(skip) : std::string();
}

bool GroupDialog::InsidePrograms(const std::string& path) const {
  // The folder itself or one below it: "Programs2" is not inside "Programs".
  if (path.rfind(programs_, 0) != 0 || path.size() <= programs_.size() || path[programs_.size()] != '\\')
    return false;
  // Beginning alike is not enough: "..", a short name or the Startup folder
  // would put the shortcuts elsewhere, where removal would not follow them.
  return ShortcutPlaces(platform_).IsProgramsOrGroup(path);
}

void GroupDialog::OnInit(DialogView& view) {
  view.SetTitle(strings_(kTitle));
  view.SetText(kGroupBox, strings_(kGroupLabel));
  view.SetText(kBrowse, strings_(kBrowseLabel));
  view.SetText(kOkCommand, strings_(kOkLabel));
  view.SetText(kGroupEdit, RelativeGroup());
  FitWidth(view);
}

void GroupDialog::FitWidth(DialogView& view) {
  const int title = view.MeasureText(0, view.Title()).width;
  const int text = view.MeasureText(kOkCommand, RelativeGroup()).width + kWidthBesideText;
  const int width = std::max(title, text);
  const int ok_width = view.ControlRect(kOkCommand).width();
  PlaceAt(view, kGroupBox, 10, width - 20);
  PlaceAt(view, kBrowse, width - 90, 70);
  PlaceAt(view, kOkCommand, width / 2 - ok_width / 2, ok_width);
  PlaceAt(view, kGroupEdit, 20, width - 120);
  const Rect window = view.WindowRect();
  view.MoveWindow(RectAt(window.left, window.top, width, window.height()));
}

void GroupDialog::OnCommand(DialogView& view, int id) {
  if (id == kBrowse) Browse(view);
  if (id == kOkCommand) Accept(view);
  if (id == kCancelCommand) view.End(kCancelCommand);
}

void GroupDialog::Browse(DialogView& view) {
  FolderBrowser browser(platform_.files, platform_.shell, FolderBrowser::Mode::Programs, {}, strings_);
  browser.set_programs_folder(programs_, NewShortcutFolders(platform_).start_menu);
  browser.set_path(programs_ + "\\" + view.Text(kGroupEdit));
  platform_.ui.RunDialog(browser);
  if (InsidePrograms(browser.path())) {
    group_ = browser.path();
  } else {
    Refuse(view);
  }
  view.SetText(kGroupEdit, RelativeGroup());
}

void GroupDialog::Accept(DialogView& view) {
  std::string path = programs_ + "\\" + view.Text(kGroupEdit);
  if (!EndsWithBackslash(path)) path += '\\';
  if (path.rfind(':') != 1 || !IsValidInstallPath(path) || !InsidePrograms(path)) {
    Refuse(view);
    view.SetText(kGroupEdit, RelativeGroup());
    return;
  }
  group_ = std::move(path);
  if (view.ReturnKeyDown()) ui_state_.return_key_armed = false;
  view.End(kOkCommand);
}

void GroupDialog::Refuse(DialogView& view) {
  view.AskMessageBox(strings_(kRefusalText), strings_(kRefusalCaption), box::kOk);
}

}  // namespace tvx
