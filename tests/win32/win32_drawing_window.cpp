// The progress box's template as a real modeless window, for the drawing
// tests shared with the simulated machine.
#include <windows.h>

#include "install/drawing_window.h"
#include "platform/win32/win32_dialog_host.h"

namespace tvx::testing {
namespace {

class ProgressTemplate : public DialogModel {
 public:
  int TemplateId() const override { return 103; }
  void OnInit(DialogView& view) override {
    view.MoveWindow(RectAt(0, 0, 400, 300));
    view.Show(0, true);
  }
};

class Win32DrawingWindow : public DrawingWindow {
 public:
  Win32DrawingWindow() : host_(model_) {}
  bool Open() {
    if (!host_.OpenModeless(nullptr)) return false;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    return true;
  }
  DialogView& view() override { return host_; }

 private:
  ProgressTemplate model_;
  win32::Win32DialogHost host_;
};

}  // namespace

// The real display has its own depth.
std::unique_ptr<DrawingWindow> OpenDrawingWindow(int) {
  auto window = std::make_unique<Win32DrawingWindow>();
  if (!window->Open()) return nullptr;
  return window;
}

}  // namespace tvx::testing
