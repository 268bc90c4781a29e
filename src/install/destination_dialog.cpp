#include "install/destination_dialog.h"

#include <algorithm>

#include "install/install_path.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "ui/folder_browser.h"
#include "ui/question_dialog.h"

namespace tvx {
namespace {

constexpr int kTitle = 120;
constexpr int kGroupLabel = 121;
constexpr int kBrowseLabel = 122;
constexpr int kOkLabel = 123;
constexpr int kRefusalCaption = 124;
constexpr int kNoRoom = 125;
constexpr int kNoSuchDrive = 126;
constexpr int kCancelLabel = 127;
constexpr int kInvalidPath = 128;
constexpr int kInWindowsFirst = 129;
constexpr int kInWindowsSecond = 132;
constexpr int kInWindowsThird = 133;
constexpr int kExistsQuestion = 134;
constexpr int kExistsQuestionEnd = 282;

// Room beside the path for the margins and the Browse button.
constexpr int kWidthBesideText = 140;

// Moves a control to x with that width; its height and its place from the
// top stay, taken from the outer corner less the caption as the dialog
// always has.
void PlaceAt(DialogView& view, int id, int x, int width) {
  const Rect control = view.ControlRect(id);
  const int top = control.top - view.WindowRect().top - (view.Metric(SystemMetric::SizeHeight) + 4);
  view.MoveControl(id, RectAt(x, top, width, control.height()));
}

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

DestinationDialog::DestinationDialog(Platform& platform, UiProcessState& ui_state, TextLookup strings,
                                     std::vector<DriveInfo>& drives, std::string path, std::string previous)
    : platform_(platform),
      ui_state_(ui_state),
      strings_(std::move(strings)),
      drives_(drives),
      path_(std::move(path)),
      previous_(std::move(previous)),
      protected_(platform) {}

void DestinationDialog::OnInit(DialogView& view) {
  view.SetTitle(strings_(kTitle));
  view.SetText(kGroupBox, strings_(kGroupLabel));
  view.SetText(kBrowse, strings_(kBrowseLabel));
  view.SetText(kOkCommand, strings_(kOkLabel));
  view.SetText(kCancelCommand, strings_(kCancelLabel));
  view.SetText(kPathEdit, path_);
  FitWidth(view);
}

void DestinationDialog::FitWidth(DialogView& view) {
  const int title = view.MeasureText(0, view.Title()).width;
  const int group = view.MeasureText(0, view.Text(kGroupBox)).width;
  const int text = view.MeasureText(kOkCommand, path_).width + kWidthBesideText;
  const int width = std::max({title, group, text});
  const int ok_width = view.ControlRect(kOkCommand).width();
  const int cancel_width = view.ControlRect(kCancelCommand).width();
  PlaceAt(view, kGroupBox, 10, width - 20);
  PlaceAt(view, kBrowse, width - 90, 70);
  PlaceAt(view, kOkCommand, width / 2 - ok_width - 5, ok_width);
  PlaceAt(view, kCancelCommand, width / 2 + 5, cancel_width);
  PlaceAt(view, kPathEdit, 20, width - 120);
  const Rect window = view.WindowRect();
  view.MoveWindow(RectAt(window.left, window.top, width, window.height()));
}

void DestinationDialog::OnCommand(DialogView& view, int id) {
  if (id == kBrowse) Browse(view);
  if (id == kOkCommand) Accept(view);
  if (id == kCancelCommand) view.End(kCancelCommand);
}

void DestinationDialog::Browse(DialogView& view) {
  std::vector<BrowserDrive> drives;
  for (const DriveInfo& drive : drives_)
    drives.push_back({drive.root, VolumeLabelOf(platform_.files, drive.root.substr(0, 2)), drive.fits});
  FolderBrowser browser(platform_.files, platform_.shell, FolderBrowser::Mode::Drives, std::move(drives),
                        strings_);
  browser.set_path(view.Text(kPathEdit));
  if (platform_.ui.RunDialog(browser) == kOkCommand) view.SetText(kPathEdit, browser.path());
}

void DestinationDialog::Accept(DialogView& view) {
  std::string path = view.Text(kPathEdit);
  if (!EndsWithBackslash(path)) path = WithoutTrailingBlanks(std::move(path)) + "\\";
  if (!PassesPathChecks(view, path) || !PassesDriveCheck(view, path)) return;
  if (path.size() > 3 && protected_.InsideWindows(path)) {
    Refuse(view, strings_(kInWindowsFirst) + strings_(kInWindowsSecond) + strings_(kInWindowsThird), 0);
    return;
  }
  if (!ConfirmsExisting(view, path)) return;
  path_ = std::move(path);
  view.End(kOkCommand);
}

bool DestinationDialog::PassesPathChecks(DialogView& view, const std::string& path) {
  // A drive root or a folder the system owns would be emptied by the
  // uninstaller: refused as an invalid path is.
  if (IsValidInstallPath(path) && !protected_.Protects(path)) return true;
  Refuse(view, strings_(kInvalidPath), box::kIconExclamation);
  return false;
}

bool DestinationDialog::PassesDriveCheck(DialogView& view, const std::string& path) {
  const std::string_view root = std::string_view(path).substr(0, 3);
  const auto drive = std::find_if(drives_.begin(), drives_.end(),
                                  [&](const DriveInfo& info) { return EqualsNoCase(info.root, root); });
  if (drive == drives_.end()) {
    Refuse(view, strings_(kNoSuchDrive), box::kIconExclamation);
    return false;
  }
  if (!drive->fits) {
    Refuse(view, strings_(kNoRoom), box::kIconExclamation);
    return false;
  }
  return true;
}

bool DestinationDialog::ConfirmsExisting(DialogView& view, const std::string& path) {
  if (!IsDirectory(platform_.files, path)) return true;
  if (AsciiLower(previous_).find(AsciiLower(path)) != std::string::npos) return true;
  QuestionDialog question(strings_(kExistsQuestion) + strings_(kExistsQuestionEnd), strings_(kRefusalCaption),
                          true, strings_);
  const bool yes = question.Ask(platform_.ui) == box::kIdYes;
  if (view.ReturnKeyDown()) ui_state_.return_key_armed = false;
  return yes;
}

void DestinationDialog::Refuse(DialogView& view, const std::string& text, std::uint32_t icon) {
  view.AskMessageBox(text, strings_(kRefusalCaption), box::kOk | icon);
}

}  // namespace tvx
