// Which panel buttons are enabled, from what is installed and what fits.
#pragma once

#include <functional>
#include <optional>

namespace tvx {

// The facts the decision reads; they may change after the no-match
// question, which runs matching again.
struct PanelFacts {
  bool installed = false;
  bool installed_usable = false;  // the installed configuration still suits the machine
  bool some_fits = false;         // some configuration is selectable
  bool playable = false;          // a playable configuration matches
};

struct ButtonStates {
  bool install = false;
  bool uninstall = false;
  bool play = false;
  bool quit = true;
  bool web = false;

  bool operator==(const ButtonStates&) const = default;
};

// ask_no_match: the question asked when nothing fits (with what follows a
// yes). Answers nullopt when nothing can be installed or played: the
// program ends.
std::optional<ButtonStates> DecideButtonStates(const std::function<PanelFacts()>& facts,
                                               const std::function<void()>& ask_no_match, bool web_button);

}  // namespace tvx
