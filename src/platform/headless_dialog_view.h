// A dialog without a window: keeps what its model sets (texts, states,
// lists, checks) so the model can run to its end where nothing may show.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog_view.h"
#include "platform/ui.h"

namespace tvx {

class HeadlessDialogView : public DialogView {
 public:
  // Message boxes the dialog asks go to ui.
  explicit HeadlessDialogView(Ui& ui) : ui_(ui) {}
  ~HeadlessDialogView() override;

  bool ended() const { return ended_; }
  int end_code() const { return end_code_; }

  void SetTitle(std::string_view text) override { title_ = text; }
  std::string Title() override { return title_; }
  void SetText(int id, std::string_view text) override { controls_[id].text = text; }
  std::string Text(int id) override { return controls_[id].text; }
  void Enable(int id, bool enabled) override { controls_[id].enabled = enabled; }
  bool IsEnabled(int id) override { return controls_[id].enabled; }
  void Show(int id, bool visible) override { controls_[id].visible = visible; }
  bool IsVisible(int id) override { return controls_[id].visible; }

  Rect WindowRect() override { return window_; }
  void MoveWindow(const Rect& screen) override { window_ = screen; }
  Rect ControlRect(int id) override { return controls_[id].rect; }
  void MoveControl(int id, const Rect& client) override { controls_[id].rect = client; }
  Rect ScreenToClient(const Rect& screen) override { return screen; }
  Size MeasureText(int id, std::string_view text) override;

  int ListAdd(int id, std::string_view text, std::intptr_t data) override;
  void ListClear(int id) override;
  void ListDelete(int id, int index) override;
  void ListSelect(int id, int index) override;
  int ListSelection(int id) override { return controls_[id].selected; }
  int ListCount(int id) override { return static_cast<int>(controls_[id].items.size()); }
  std::intptr_t ListData(int id, int index) override;

  void CreateControl(ControlKind kind, int id, std::string_view text, const Rect& client) override;
  void DestroyControl(int id) override { controls_.erase(id); }
  void SetChecked(int id, bool checked) override { controls_[id].checked = checked; }
  bool IsChecked(int id) override { return controls_[id].checked; }

  ButtonControl* AttachButton(int id, ButtonEvents& events) override;
  TreeControl* AttachTree(int, TreeEvents&) override { return nullptr; }
  void PaintBitmap(const OffscreenBitmap&, const LogicalPalette*, int, int) override {}

  void Invalidate() override {}
  void End(int code) override;
  int AskMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override {
    return ui_.ShowMessageBox(text, caption, style, BoxOwner::MainWindow);
  }
  Size ScreenSize() override { return {640, 480}; }
  int Metric(SystemMetric) override { return 0; }
  bool ReturnKeyDown() override { return false; }
  void SetWaitCursor(bool) override {}

  int ColourBits() override { return 8; }
  Rect OwnerRect() override { return RectAt(0, 0, 640, 480); }
  void FillArea(const Rect&, ColourRef) override {}
  void DrawLine(int, const Rect&, std::string_view, ColourRef, bool) override {}
  ColourRef PixelAt(int, int) override { return 0; }

 private:
  struct Item {
    std::string text;
    std::intptr_t data = 0;
  };
  struct Control {
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    Rect rect;
    std::vector<Item> items;
    int selected = -1;
  };

  Ui& ui_;
  std::string title_;
  Rect window_;
  std::map<int, Control> controls_;
  std::map<int, std::unique_ptr<ButtonControl>> buttons_;
  bool ended_ = false;
  int end_code_ = 0;
};

}  // namespace tvx
