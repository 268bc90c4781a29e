// The front panel's window: the background, the picture buttons and the
// guide, which buttons are enabled, painting and display changes.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "detection/configuration_matcher.h"
#include "platform/dialog_view.h"
#include "shell/panel_states.h"
#include "shell/session.h"
#include "ui/image_button.h"
#include "ui/pcx_bitmap.h"
#include "ui/splash_window.h"

namespace tvx {

// The panel's commands, which are also its buttons' control ids.
namespace command {
inline constexpr int kInstall = 1000;
inline constexpr int kPlay = 1002;
inline constexpr int kUninstall = 1003;
inline constexpr int kWeb = 1004;
inline constexpr int kGuide = 1007;
inline constexpr int kQuit = 2;
}  // namespace command

inline constexpr int kPanelWidth = 640;
inline constexpr int kPanelHeight = 480;

// The text of "[LocalizedApplicationName]"'s first string, or the script's
// application name when the strings have no such section.
std::string LocalizedApplicationName(StringTable& strings, Ui& ui, const InstallScript& script);

class PanelWindow {
 public:
  enum class SetUp { Ready, PicturesMissing, GuideMissing, NothingToDo };

  PanelWindow(Session& session, InstallScript& script, ConfigurationMatcher& matcher,
              std::function<std::string()> install_data_folder);

  // Title, pictures, buttons, guide, enabled states and place on the screen.
  SetUp Create(DialogView& view, SplashWindow* splash);
  // Keeps the window's corner, forces its size and copies the background.
  void Paint(DialogView& view);
  // Every picture again from its file, into the bitmaps made before.
  void ReloadPictures();

  const ButtonStates& states() const { return states_; }
  const ImageButton* button(int command_id) const;
  // The button lets go of the mouse and shows its up picture.
  void ReleaseButton(int command_id);
  // The enabled states again after an installation or an uninstall.
  void RefreshStates();
  const PanelBackground& background() const { return background_; }

 private:
  struct ButtonSlot {
    int command_id;
    int string_number;
    std::unique_ptr<ImageButton> widget;
  };

  bool CreatePictures(DialogView& view);
  bool CreateGuide(DialogView& view);
  bool DecideStates();
  void ApplyStates();
  void Place(DialogView& view);
  std::string Text(int number);

  Session& session_;
  InstallScript& script_;
  ConfigurationMatcher& matcher_;
  PictureSource pictures_;
  PanelBackground background_;
  std::array<ButtonSlot, 5> buttons_;
  ButtonStates states_;
};

}  // namespace tvx
