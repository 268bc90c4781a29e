// The installation-directory dialog: the destination typed or chosen with
// the folder browser, accepted only once it passes every check.
#pragma once

#include <string>
#include <vector>

#include "detection/drive_info.h"
#include "install/protected_folders.h"
#include "platform/dialog_model.h"
#include "platform/platform.h"
#include "ui/text_lookup.h"
#include "ui/ui_process_state.h"

namespace tvx {

class DestinationDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 132;
  static constexpr int kGroupBox = 1009;
  static constexpr int kPathEdit = 1012;
  static constexpr int kBrowse = 1010;

  // previous: the directory of an installed copy, where an existing folder
  // is no surprise.
  DestinationDialog(Platform& platform, UiProcessState& ui_state, TextLookup strings,
                    std::vector<DriveInfo>& drives, std::string path, std::string previous);

  // The path shown until OK accepts one; then the accepted one, ending in "\".
  const std::string& path() const { return path_; }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

 private:
  void FitWidth(DialogView& view);
  void Browse(DialogView& view);
  void Accept(DialogView& view);
  // Each shows its refusal and answers false.
  bool PassesPathChecks(DialogView& view, const std::string& path);
  bool PassesDriveCheck(DialogView& view, const std::string& path);
  bool ConfirmsExisting(DialogView& view, const std::string& path);
  void Refuse(DialogView& view, const std::string& text, std::uint32_t icon);

  Platform& platform_;
  UiProcessState& ui_state_;
  TextLookup strings_;
  std::vector<DriveInfo>& drives_;
  std::string path_;
  std::string previous_;
  ProtectedFolders protected_;
};

}  // namespace tvx
