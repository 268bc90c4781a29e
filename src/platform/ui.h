// The user interface services that every subsystem may reach.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/platform_types.h"

namespace tvx {

class DialogModel;
class ModelessDialog;
class Surface;

class Ui {
 public:
  virtual ~Ui() = default;

  // Shows a message box with the platform's style bits; answers box::kId*.
  virtual int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                             BoxOwner owner = BoxOwner::MainWindow) = 0;

  // Runs a dialog model modally on its template, owned by the main window
  // when there is one; answers the code it ended with, -1 when the window
  // could not be made. A Ui without windows makes none.
  virtual int RunDialog(DialogModel& model);
  // Runs the program's main window modally: it owns the message boxes and
  // dialogs shown while it is up, and carries the program's icon.
  virtual int RunMainWindow(DialogModel& model);
  // Opens a dialog that stays up until the answer is destroyed; null when
  // the window could not be made.
  virtual std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner);
  // Palettes and off-screen bitmaps; without a display, 8-bit framebuffers.
  virtual Surface& surface();

  // --- Long work on the one thread: between two steps of it the program
  // looks at a key and lets one waiting message through. ---

  // GetAsyncKeyState: whether the key is down or was pressed since the
  // last query; a Ui without a keyboard answers false.
  virtual bool KeyPressed(int virtual_key);
  // Takes at most one waiting message and dispatches it; false when none
  // was waiting.
  virtual bool DispatchOneMessage();
  // How far long work has come, for a terminal that watches the run (a
  // window shows its own): the item in hand and the whole's percent.
  virtual void ReportProgress(std::string_view item, int percent);
  // The long work ended.
  virtual void EndProgress() {}
};

inline constexpr int kF4Key = 0x73;  // VK_F4

}  // namespace tvx
