// The progress box of a copy: the file being copied, where it goes, and
// two bars (the file, the whole installation). A modeless window that the
// copy draws on between chunks; its Abort button asks the copy to stop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dialog_model.h"
#include "platform/modeless_dialog.h"
#include "platform/ui.h"
#include "ui/text_lookup.h"

namespace tvx {

class ProgressBox : public DialogModel {
 public:
  static constexpr int kTemplate = 103;
  static constexpr int kAbortButton = 1002;
  static constexpr int kSourceGroup = 1003;
  static constexpr int kDestinationGroup = 1004;
  static constexpr int kInstallationGroup = 1005;
  static constexpr int kFileGroup = 1006;
  static constexpr ColourRef kFileBarColour = 0xFF0000;   // blue
  static constexpr ColourRef kTotalBarColour = 0x00FF00;  // green

  // The paths the box must be wide enough to show.
  ProgressBox(TextLookup text, std::vector<std::string> paths);
  ~ProgressBox() override;

  // Opens the box owned by the main window; false when it could not be made.
  bool Open(Ui& ui);
  void ShowPaths(std::string_view source, std::string_view destination);
  // Each bar is drawn again only when its percent changed.
  void ShowFileProgress(int percent);
  void ShowTotalProgress(int percent);
  bool abort_requested() const { return abort_requested_; }

  // The width of the group boxes: the widest path and 50 pixels.
  int group_width() const { return group_width_; }
  Rect FileBar() const { return {35, 140, group_width_ + 5, 155}; }
  Rect TotalBar() const { return {35, 200, group_width_ + 5, 215}; }
  Rect SourceArea() const { return {45, 27, group_width_ + 5, 43}; }
  Rect DestinationArea() const { return {45, 82, group_width_ + 5, 98}; }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;
  // A box uncovered shows what it showed.
  void OnPaint(DialogView& view) override;

 private:
  void Layout(DialogView& view);
  void SetTexts(DialogView& view);
  void PaintPath(DialogView& view, const Rect& area, const std::string& path);
  void PaintPaths(DialogView& view);
  DialogView* view();

  TextLookup text_;
  std::vector<std::string> paths_;
  Ui* ui_ = nullptr;
  std::unique_ptr<ModelessDialog> window_;
  int group_width_ = 0;
  bool abort_requested_ = false;
  std::string source_;
  std::string destination_;
  bool paths_shown_ = false;
  int file_percent_ = -1;
  int total_percent_ = -1;
};

}  // namespace tvx
