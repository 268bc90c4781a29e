// The front panel as the installation and the uninstaller see it.
#pragma once

#include "install/panel_hooks.h"
#include "platform/dialog_view.h"
#include "shell/panel_window.h"

namespace tvx {

class PanelControl : public PanelHooks {
 public:
  PanelControl(PanelWindow& panel, DialogView& view) : panel_(panel), view_(view) {}

  void ResetButtons() override {
    panel_.ReleaseButtons();
    view_.Invalidate();
  }
  void Repaint() override { view_.Invalidate(); }
  void RefreshButtons(bool focus_play) override {
    panel_.RefreshStates(focus_play);
    view_.Invalidate();
  }
  void SetWaitCursor(bool waiting) override { view_.SetWaitCursor(waiting); }
  bool ReturnKeyDown() override { return view_.ReturnKeyDown(); }

 private:
  PanelWindow& panel_;
  DialogView& view_;
};

}  // namespace tvx
