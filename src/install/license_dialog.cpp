#include "install/license_dialog.h"

#include "platform/file_services.h"

namespace tvx {
namespace {

constexpr int kOkLabel = 1;
constexpr int kCancelLabel = 0;
constexpr int kTitle = 270;
constexpr int kUpperText = 440;
constexpr int kLowerText = 441;

}  // namespace

LicenseDialog::LicenseDialog(UiProcessState& ui_state, std::string title, std::string upper,
                             std::string license, std::string lower, TextLookup strings)
    : ui_state_(ui_state),
      title_(std::move(title)),
      upper_(std::move(upper)),
      license_(std::move(license)),
      lower_(std::move(lower)),
      strings_(std::move(strings)) {}

void LicenseDialog::OnInit(DialogView& view) {
  view.SetTitle(title_);
  view.SetText(kUpperText, upper_);
  view.SetText(kLowerText, lower_);
  view.SetText(kOkCommand, strings_(kOkLabel));
  view.SetText(kCancelCommand, strings_(kCancelLabel));
  view.CreateControl(ControlKind::ReadOnlyTextBox, kLicenseText, license_, TextBoxRect(view));
}

void LicenseDialog::OnCommand(DialogView& view, int id) {
  // Return accepts here: the same press must not fire the panel's button.
  if (id == kOkCommand && view.ReturnKeyDown()) ui_state_.return_key_armed = false;
  DialogModel::OnCommand(view, id);
}

Rect LicenseDialog::TextBoxRect(DialogView& view) {
  // Between the two texts, from the dialog's outer corner less the
  // caption: the rule the dialog has always used.
  const Rect dialog = view.WindowRect();
  const Rect upper = view.ControlRect(kUpperText);
  const Rect lower = view.ControlRect(kLowerText);
  const int caption = view.Metric(SystemMetric::CaptionHeight);
  return {10, upper.bottom - dialog.top - caption, dialog.width() - 10, lower.top - dialog.top - caption - 5};
}

std::string LicenseFilePath(FileSystem& files, const InstallScript& script, std::size_t language_index) {
  const std::vector<std::string>& names = script.languages.sixth_fields;
  if (language_index >= names.size() || names[language_index].empty()) return {};
  const std::string& name = names[language_index];
  if (name.front() == '\\') return name;
  return ProgramDirectory(files) + "\\" + name;
}

bool ShowLicenseAgreement(Platform& platform, UiProcessState& ui_state, const InstallScript& script,
                          std::size_t language_index, TextLookup text,
                          std::string_view localized_application_name) {
  const std::string path = LicenseFilePath(platform.files, script, language_index);
  std::string license;
  if (path.empty() || ReadWholeFile(platform.files, path, license) != FileError::None) return true;
  LicenseDialog dialog(ui_state, text(kTitle) + std::string(localized_application_name), text(kUpperText),
                       license, text(kLowerText), text);
  return platform.ui.RunDialog(dialog) == DialogModel::kOkCommand;
}

}  // namespace tvx
