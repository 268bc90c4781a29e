// The dialog templates of the program's resource script, read from its
// text so the simulated machine lays dialogs out as the real one does.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics_types.h"

namespace tvx::host {

enum class ControlClass {
  Static,
  Button,
  DefaultButton,
  GroupBox,
  Edit,
  ComboBox,
  ListBox,
  CheckBox,
  TreeView,
  Other
};

struct ControlTemplate {
  int id = -1;
  ControlClass kind = ControlClass::Other;
  std::string text;
  Rect units;  // dialog units
  bool visible = true;
  bool enabled = true;
  bool owner_drawn = false;
};

struct DialogTemplate {
  int id = 0;
  std::string caption;
  bool has_caption = false;
  Rect units;  // dialog units
  std::string font_face;
  int font_size = 8;
  std::vector<ControlTemplate> controls;

  // Dialog units to pixels in the template's font, as MapDialogRect does.
  Rect ToPixels(const Rect& units) const;
  Size BaseUnits() const;
};

// Every DIALOGEX of the script; statements are one per line.
std::map<int, DialogTemplate> ParseDialogTemplates(std::string_view script);

// The program's resource script and bitmap resources, built into the host program.
std::string_view ResourceScriptText();
// The bytes of bitmap resource id as the resource holds them (no file header).
std::optional<std::string_view> BitmapResourceBytes(int id);
const std::map<int, DialogTemplate>& ProgramDialogTemplates();

}  // namespace tvx::host
