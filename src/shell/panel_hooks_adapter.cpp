#include "shell/panel_hooks_adapter.h"

namespace tvx {

void PanelHooksAdapter::ResetButtons() {
  for (int id : {command::kInstall, command::kPlay, command::kUninstall, command::kWeb, command::kQuit})
    panel_.ReleaseButton(id);
  view_.Invalidate();
}

void PanelHooksAdapter::RefreshButtons(bool) {
  panel_.RefreshStates();
  view_.Invalidate();
}

}  // namespace tvx
