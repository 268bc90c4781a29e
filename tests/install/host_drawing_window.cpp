#include "install/drawing_window.h"

#include "platform/host/dialog_templates.h"
#include "platform/host/recording_dialog_view.h"

namespace tvx::testing {
namespace {

class HostDrawingWindow : public DrawingWindow {
 public:
  explicit HostDrawingWindow(int colour_bits)
      : view_(host::ProgramDialogTemplates().at(103), {Size{800, 600}, nullptr, false, colour_bits}) {
    view_.MoveWindow(RectAt(0, 0, 400, 300));
  }
  DialogView& view() override { return view_; }

 private:
  host::RecordingDialogView view_;
};

}  // namespace

std::unique_ptr<DrawingWindow> OpenDrawingWindow(int colour_bits) {
  return std::make_unique<HostDrawingWindow>(colour_bits);
}

}  // namespace tvx::testing
