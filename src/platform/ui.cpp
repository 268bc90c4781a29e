#include "platform/ui.h"

#include "platform/indexed_surface.h"
#include "platform/modeless_dialog.h"

namespace tvx {

int Ui::RunDialog(DialogModel&) { return -1; }

int Ui::RunMainWindow(DialogModel& model) { return RunDialog(model); }

std::unique_ptr<ModelessDialog> Ui::OpenModeless(DialogModel&, BoxOwner) { return nullptr; }

bool Ui::KeyPressed(int) { return false; }

bool Ui::DispatchOneMessage() { return false; }

void Ui::ReportProgress(std::string_view, int) {}

Surface& Ui::surface() {
  // Stateless: it draws only into the bitmaps it hands out.
  static IndexedSurface framebuffers;
  return framebuffers;
}

}  // namespace tvx
