#include "platform/host/dialog_templates.h"

#include <charconv>
#include <optional>

namespace tvx::host {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// Splits "a, "b, c", d" at the commas outside quotes; quotes are removed.
std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& field : fields) field = std::string(Trim(field));
  return fields;
}

int Number(std::string_view text) {
  int value = 0;
  text = Trim(text);
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

Rect UnitsAt(const std::vector<std::string>& fields, std::size_t at) {
  if (fields.size() < at + 4) return {};
  return RectAt(Number(fields[at]), Number(fields[at + 1]), Number(fields[at + 2]), Number(fields[at + 3]));
}

void ApplyStyle(std::string_view style, ControlTemplate& control) {
  if (style.find("NOT WS_VISIBLE") != std::string_view::npos) control.visible = false;
  if (style.find("WS_DISABLED") != std::string_view::npos) control.enabled = false;
  if (style.find("BS_OWNERDRAW") != std::string_view::npos) control.owner_drawn = true;
  if (style.find("BS_AUTOCHECKBOX") != std::string_view::npos) control.kind = ControlClass::CheckBox;
}

std::optional<ControlTemplate> ParseControl(std::string_view keyword, std::string_view rest) {
  static const std::pair<std::string_view, ControlClass> kWithText[] = {
      {"LTEXT", ControlClass::Static},
      {"CTEXT", ControlClass::Static},
      {"RTEXT", ControlClass::Static},
      {"PUSHBUTTON", ControlClass::Button},
      {"DEFPUSHBUTTON", ControlClass::DefaultButton},
      {"GROUPBOX", ControlClass::GroupBox}};
  static const std::pair<std::string_view, ControlClass> kWithoutText[] = {
      {"EDITTEXT", ControlClass::Edit},
      {"COMBOBOX", ControlClass::ComboBox},
      {"LISTBOX", ControlClass::ListBox}};
  const std::vector<std::string> fields = Fields(rest);
  ControlTemplate control;
  for (const auto& [name, kind] : kWithText) {
    if (keyword != name) continue;
    control = {fields.size() > 1 ? Number(fields[1]) : -1, kind, fields[0], UnitsAt(fields, 2)};
    if (fields.size() > 6) ApplyStyle(fields[6], control);
    return control;
  }
  for (const auto& [name, kind] : kWithoutText) {
    if (keyword != name) continue;
    control = {Number(fields[0]), kind, "", UnitsAt(fields, 1)};
    if (fields.size() > 5) ApplyStyle(fields[5], control);
    return control;
  }
  if (keyword == "CONTROL" && fields.size() >= 8) {
    const std::string klass = fields[2];
    control = {Number(fields[1]),
               klass == "Button"          ? ControlClass::Button
               : klass == "Static"        ? ControlClass::Static
               : klass == "SysTreeView32" ? ControlClass::TreeView
                                          : ControlClass::Other,
               fields[0], UnitsAt(fields, 4)};
    ApplyStyle(fields[3], control);
    return control;
  }
  return std::nullopt;
}

void ParseHeaderLine(std::string_view line, DialogTemplate& dialog) {
  if (line.starts_with("STYLE")) {
    dialog.has_caption = line.find("WS_CAPTION") != std::string_view::npos;
  } else if (line.starts_with("CAPTION")) {
    dialog.caption = Fields(line.substr(7))[0];
  } else if (line.starts_with("FONT")) {
    const auto fields = Fields(line.substr(4));
    dialog.font_size = Number(fields[0]);
    if (fields.size() > 1) dialog.font_face = fields[1];
  }
}

}  // namespace

Size DialogTemplate::BaseUnits() const {
  // The host's font model: a character is three quarters of the point
  // size wide and thirteen eighths high (6 x 13 for MS Sans Serif 8).
  return {font_size * 3 / 4, font_size * 13 / 8};
}

Rect DialogTemplate::ToPixels(const Rect& rect) const {
  const Size base = BaseUnits();
  const auto x = [&](int units) { return (units * base.width + 2) / 4; };
  const auto y = [&](int units) { return (units * base.height + 4) / 8; };
  return {x(rect.left), y(rect.top), x(rect.right), y(rect.bottom)};
}

std::map<int, DialogTemplate> ParseDialogTemplates(std::string_view script) {
  std::map<int, DialogTemplate> dialogs;
  DialogTemplate* current = nullptr;
  bool in_body = false;
  std::size_t start = 0;
  while (start < script.size()) {
    const std::size_t end = std::min(script.find('\n', start), script.size());
    const std::string_view line = Trim(script.substr(start, end - start));
    start = end + 1;
    const std::size_t blank = line.find_first_of(" \t");
    const std::string_view first = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : Trim(line.substr(blank));
    if (!current) {
      if (rest.starts_with("DIALOGEX") || rest.starts_with("DIALOG ")) {
        current = &dialogs[Number(first)];
        current->id = Number(first);
        const auto fields = Fields(rest.substr(rest.find_first_of(" \t")));
        current->units = UnitsAt(fields, 0);
      }
    } else if (!in_body) {
      if (line == "BEGIN") in_body = true;
      ParseHeaderLine(line, *current);
    } else if (line == "END") {
      current = nullptr;
      in_body = false;
    } else if (auto control = ParseControl(first, rest)) {
      current->controls.push_back(std::move(*control));
    }
  }
  return dialogs;
}

const std::map<int, DialogTemplate>& ProgramDialogTemplates() {
  // Read once: the templates never change while the program runs.
  static const std::map<int, DialogTemplate> templates = ParseDialogTemplates(ResourceScriptText());
  return templates;
}

}  // namespace tvx::host
