// The front panel as the installation and the uninstaller see it.
#pragma once

#include "install/panel_hooks.h"
#include "platform/dialog_view.h"
#include "shell/panel_window.h"

namespace tvx {

class PanelHooksAdapter : public PanelHooks {
 public:
  PanelHooksAdapter(PanelWindow& panel, DialogView& view) : panel_(panel), view_(view) {}

  void ResetButtons() override;
  void Repaint() override { view_.Invalidate(); }
  void RefreshButtons(bool focus_play) override;

 private:
  PanelWindow& panel_;
  DialogView& view_;
};

}  // namespace tvx
