// What the installation and the uninstaller ask of the front panel while
// they run: its buttons reset and redrawn, and refreshed at the end.
#pragma once

namespace tvx {

class PanelHooks {
 public:
  virtual ~PanelHooks() = default;
  // Lets go of the mouse, puts every button up and redraws them.
  virtual void ResetButtons() = 0;
  // Repaints the panel and its buttons behind a box that was shown.
  virtual void Repaint() = 0;
  // Enables Install, Play and Uninstall for the installed state; the focus
  // goes to Play after an installation that succeeded, else to Install.
  virtual void RefreshButtons(bool focus_play) = 0;
  virtual void SetWaitCursor(bool) {}
  // Whether Return is held down now, so that the panel's default button
  // does not take a key that closed a box.
  virtual bool ReturnKeyDown() { return false; }
};

// For runs without a panel ("-uninstall", tests).
class NoPanel : public PanelHooks {
 public:
  void ResetButtons() override {}
  void Repaint() override {}
  void RefreshButtons(bool) override {}
};

}  // namespace tvx
