#include "install/progress_box.h"

#include <algorithm>

#include "install/progress_bar.h"

namespace tvx {

ProgressBox::ProgressBox(TextLookup text, std::vector<std::string> paths)
    : text_(std::move(text)), paths_(std::move(paths)) {}

ProgressBox::~ProgressBox() {
  if (ui_) ui_->EndProgress();
}

bool ProgressBox::Open(Ui& ui) {
  ui_ = &ui;
  window_ = ui.OpenModeless(*this, BoxOwner::MainWindow);
  return window_ != nullptr;
}

DialogView* ProgressBox::view() { return window_ ? &window_->view() : nullptr; }

void ProgressBox::OnInit(DialogView& view) {
  Layout(view);
  SetTexts(view);
  view.Show(0, true);
}

void ProgressBox::Layout(DialogView& view) {
  int widest = 0;
  for (const std::string& path : paths_)
    widest = std::max(widest, view.MeasureText(kAbortButton, path).width);
  paths_.clear();
  paths_.shrink_to_fit();
  group_width_ = widest + 50;
  view.MoveControl(kSourceGroup, RectAt(20, 10, group_width_, 45));
  view.MoveControl(kDestinationGroup, RectAt(20, 65, group_width_, 45));
  view.MoveControl(kFileGroup, RectAt(20, 120, group_width_, 50));
  view.MoveControl(kInstallationGroup, RectAt(20, 180, group_width_, 50));
  const Size box{group_width_ + 100, view.Metric(SystemMetric::SizeHeight) + 277};
  const Rect owner = view.OwnerRect();
  view.MoveWindow(RectAt(owner.left + (owner.width() - box.width) / 2,
                         owner.top + (owner.height() - box.height) / 2, box.width, box.height));
  const int button_width = view.ControlRect(kAbortButton).width();
  view.MoveControl(kAbortButton, RectAt((box.width - button_width) / 2, 240, button_width, 23));
}

void ProgressBox::SetTexts(DialogView& view) {
  view.SetTitle(text_(100));
  view.SetText(kSourceGroup, text_(101));
  view.SetText(kDestinationGroup, text_(102));
  view.SetText(kFileGroup, text_(103));
  view.SetText(kInstallationGroup, text_(104));
  view.SetText(kAbortButton, text_(105));
}

void ProgressBox::OnCommand(DialogView&, int id) {
  if (id == kAbortButton) abort_requested_ = true;
}

void ProgressBox::PaintPath(DialogView& view, const Rect& area, const std::string& path) {
  view.FillArea(area, view.PixelAt(19, 9));
  view.DrawLine(kAbortButton, area, path, kBlack, false);
}

void ProgressBox::PaintPaths(DialogView& view) {
  PaintPath(view, SourceArea(), source_);
  PaintPath(view, DestinationArea(), destination_);
}

void ProgressBox::ShowPaths(std::string_view source, std::string_view destination) {
  source_ = source;
  destination_ = destination;
  paths_shown_ = true;
  if (ui_) ui_->ReportProgress(destination_, std::max(total_percent_, 0));
  if (DialogView* shown = view()) PaintPaths(*shown);
}

void ProgressBox::ShowFileProgress(int percent) {
  if (percent == file_percent_) return;
  file_percent_ = percent;
  if (DialogView* shown = view()) DrawProgressBar(*shown, FileBar(), percent, kFileBarColour, kAbortButton);
}

void ProgressBox::ShowTotalProgress(int percent) {
  if (percent == total_percent_) return;
  total_percent_ = percent;
  if (ui_) ui_->ReportProgress(destination_, percent);
  if (DialogView* shown = view()) DrawProgressBar(*shown, TotalBar(), percent, kTotalBarColour, kAbortButton);
}

void ProgressBox::OnPaint(DialogView& view) {
  if (paths_shown_) PaintPaths(view);
  if (file_percent_ >= 0) DrawProgressBar(view, FileBar(), file_percent_, kFileBarColour, kAbortButton);
  if (total_percent_ >= 0) DrawProgressBar(view, TotalBar(), total_percent_, kTotalBarColour, kAbortButton);
}

}  // namespace tvx
