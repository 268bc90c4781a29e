// The licence agreement: the licence text of the chosen language, to be
// accepted before anything is installed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/dialog_model.h"
#include "platform/platform.h"
#include "script/install_script.h"
#include "ui/text_lookup.h"
#include "ui/ui_process_state.h"

namespace tvx {

class LicenseDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 175;
  static constexpr int kUpperText = 1044;
  static constexpr int kLowerText = 1045;
  // The read-only text box made when the dialog opens.
  static constexpr int kLicenseText = 123456789;

  LicenseDialog(UiProcessState& ui_state, std::string title, std::string upper, std::string license,
                std::string lower, TextLookup strings);

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

 private:
  Rect TextBoxRect(DialogView& view);

  UiProcessState& ui_state_;
  std::string title_;
  std::string upper_;
  std::string license_;
  std::string lower_;
  TextLookup strings_;
};

// The licence file named for the language: beside this program unless the
// name begins with "\"; empty when the script names none.
std::string LicenseFilePath(FileSystem& files, const InstallScript& script, std::size_t language_index);

// True when the user accepts the licence with OK, and when there is no
// licence to show: none named for the language, or a file that cannot be
// read.
bool ShowLicenseAgreement(Platform& platform, UiProcessState& ui_state, const InstallScript& script,
                          std::size_t language_index, TextLookup text,
                          std::string_view localized_application_name);

}  // namespace tvx
