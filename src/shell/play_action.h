// The Play action: starts the installed game, or a playable configuration
// straight from the disc, after the disc and memory checks; or, when a
// component asked for a restart, arranges to play after it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "detection/configuration_matcher.h"
#include "install/start_failure.h"
#include "platform/dialog_view.h"
#include "shell/panel_window.h"
#include "shell/session.h"

namespace tvx {

enum class PlayOutcome {
  NothingToPlay,          // no configuration: the user was told so
  ConfigurationUnusable,  // the installed configuration no longer suits (told at start-up)
  NotReady,               // the disc prompt was cancelled, or a component did not install
  RestartAccepted,        // the restart entry is made and the restart asked
  RestartDeclined,
  NotEnoughMemory,
  Started,
  StartFailed,
};

const char* PlayOutcomeName(PlayOutcome outcome);

struct PlayReport {
  PlayOutcome outcome = PlayOutcome::NothingToPlay;
  std::string command_line;        // what was started or tried
  std::uint32_t start_result = 0;  // WinExec's answer, when it was the way taken
  bool as_desktop_user = false;    // started through the desktop's shell

  // After these the program ends: the panel closes.
  bool EndsTheProgram() const;
};

inline constexpr const char* kNothingToPlayText = "Invalid configuration !\nPlease install this product...";
inline constexpr const char* kNothingToPlayCaption = "Error in launching 'exe' file";

// The game's command line: the program's path in quotes, so a folder with
// blanks cannot start another program, then " -l:" with the language key
// and, when the disc is in a drive ("E:\"), " -cdrom:" with its letter.
std::string GameCommandLine(std::string_view base_folder, std::string_view program_name,
                            std::string_view language_key, std::string_view disc_root);

class PlayAction {
 public:
  // panel and view are the front panel's, or null in play mode.
  PlayAction(Session& session, InstallScript& script, ConfigurationMatcher& matcher, PanelWindow* panel,
             DialogView* view);

  PlayReport Run();

 private:
  struct Place {
    std::string base_folder;
    bool ready = false;
  };

  Place PlaceOf(Configuration& configuration);
  Place FromSource(Configuration& configuration);
  Place FromDisc();
  PlayReport AskForRestart();
  PlayReport Launch(const Configuration& configuration, const std::string& base_folder);
  bool StartAsDesktopUser(const std::string& command_line, const std::string& folder);
  bool EnoughMemory();
  void ForgetReturnKeyWhenHeld();
  std::string Text(int number, std::string_view argument = {});
  std::string ApplicationName();
  void Tell(const std::string& text, const std::string& caption, std::uint32_t style);

  Session& session_;
  Platform& platform_;
  InstallScript& script_;
  ConfigurationMatcher& matcher_;
  PanelWindow* panel_;
  DialogView* view_;
};

}  // namespace tvx
