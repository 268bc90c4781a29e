// A dialog's behaviour, in portable code: the backend's view reports the
// events, the model answers them by acting on the view.
#pragma once

#include "platform/dialog_view.h"

namespace tvx {

class DialogModel {
 public:
  virtual ~DialogModel() = default;

  // The dialog template the window is made from.
  virtual int TemplateId() const = 0;
  virtual void OnInit(DialogView& view) = 0;
  // Buttons and the dialog keys: 1 is OK and Return, 2 is Cancel, Escape
  // and the close box, as the platform sends them.
  virtual void OnCommand(DialogView& view, int id) {
    if (id == kOkCommand || id == kCancelCommand) view.End(id);
  }
  virtual void OnSelChange(DialogView&, int /*id*/) {}
  virtual void OnDoubleClick(DialogView&, int /*id*/) {}
  // A key the dialog window itself receives (virtual-key code).
  virtual void OnKey(DialogView&, int /*key*/) {}
  // Painting beyond the controls; the platform's own painting follows.
  virtual void OnPaint(DialogView&) {}
  // The display's resolution or colours changed.
  virtual void OnDisplayChange(DialogView&) {}
  // The window became active (or inactive).
  virtual void OnActivate(DialogView&, bool /*active*/) {}

  static constexpr int kOkCommand = 1;
  static constexpr int kCancelCommand = 2;
};

}  // namespace tvx
