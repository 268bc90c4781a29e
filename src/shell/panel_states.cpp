#include "shell/panel_states.h"

namespace tvx {

std::optional<ButtonStates> DecideButtonStates(const std::function<PanelFacts()>& facts,
                                               const std::function<void()>& ask_no_match, bool web_button) {
  const PanelFacts before = facts();
  ButtonStates states;
  states.web = web_button;
  states.uninstall = before.installed;
  states.play = before.installed ? before.installed_usable : before.playable;
  states.install = true;
  if (!before.some_fits) {
    ask_no_match();
    const PanelFacts after = facts();
    states.install = after.some_fits;
    if (!before.installed && !after.some_fits && !after.playable) return std::nullopt;
  }
  if (before.installed && !states.play && !states.install) return std::nullopt;
  return states;
}

}  // namespace tvx
