// Dialogs on the simulated machine: run on their templates, driven by the
// answer script, written to the transcript.
#include "platform/host/host_ui.h"

#include <algorithm>

#include "platform/host/png_writer.h"

namespace tvx::host {
namespace {

std::string DescribeControl(int id, const ControlState& control) {
  std::string text = " " + std::to_string(id) + "=";
  if (control.kind == ControlClass::ComboBox || control.kind == ControlClass::ListBox) {
    text += "[";
    for (std::size_t i = 0; i < control.items.size(); ++i)
      text += (i ? "," : "") + std::string(static_cast<int>(i) == control.selected ? "*" : "") +
              TranscriptText(control.items[i].text);
    text += "]";
  } else if (control.kind == ControlClass::TreeView) {
    text += control.tree.Describe();
  } else {
    text += TranscriptText(control.text);
  }
  if (control.kind == ControlClass::CheckBox) text += control.checked ? "(checked)" : "(unchecked)";
  if (!control.enabled) text += "(disabled)";
  return text;
}

class HostModeless : public ModelessDialog {
 public:
  HostModeless(std::shared_ptr<RecordingDialogView> view, std::function<void(const std::string&)> write,
               std::function<void()> closed)
      : view_(std::move(view)), write_(std::move(write)), closed_(std::move(closed)) {}
  ~HostModeless() override {
    view_->set_on_change(nullptr);
    closed_();
    write_("window id=" + std::to_string(view_->state().id) + " closed");
  }
  DialogView& view() override { return *view_; }

 private:
  std::shared_ptr<RecordingDialogView> view_;
  std::function<void(const std::string&)> write_;
  std::function<void()> closed_;
};

}  // namespace

std::string DescribeDialog(const DialogState& state) {
  std::string text = "caption=" + TranscriptText(state.caption);
  for (const auto& [id, control] : state.controls)
    if (control.visible) text += DescribeControl(id, control);
  return text;
}

std::shared_ptr<RecordingDialogView> HostUi::MakeView(int template_id) {
  const auto& templates = ProgramDialogTemplates();
  const auto found = templates.find(template_id);
  if (found == templates.end()) {
    problems_.push_back("the program has no dialog template " + std::to_string(template_id));
    return nullptr;
  }
  RecordingDialogView::Machine machine{screen_, this, false, colour_bits_};
  return std::make_shared<RecordingDialogView>(found->second, machine);
}

int HostUi::RunDialog(DialogModel& model) {
  const auto view = MakeView(model.TemplateId());
  if (!view) return -1;
  model.OnInit(*view);
  // A dialog ended by its initialisation is never shown, nor painted.
  if (!view->state().ended) {
    view->FocusFirstControl();
    model.OnPaint(*view);
    Snapshot(*view);
  }
  DialogRun run{view->state(), view};
  std::vector<std::string> actions;
  const std::string from = view->state().ended ? "init" : Drive(model, *view, actions);
  std::string line =
      "dialog id=" + std::to_string(run.shown.id) + " " + DescribeDialog(run.shown) + " actions=\"";
  for (std::size_t i = 0; i < actions.size(); ++i) line += (i ? "; " : "") + actions[i];
  Write(line + "\" end=" + std::to_string(view->state().end_code) + " from=" + from);
  dialogs_.push_back(std::move(run));
  return view->state().end_code;
}

std::string HostUi::Drive(DialogModel& model, RecordingDialogView& view, std::vector<std::string>& actions) {
  std::string from;
  while (!view.state().ended && options_.answers) {
    const auto action = options_.answers->NextDialogAction(view.state().id);
    if (!action) break;
    from = "answers:" + std::to_string(action->line);
    actions.push_back(action->Describe());
    if (!Apply(model, view, *action)) {
      problems_.push_back(from + " cannot " + action->Describe() + " in dialog " +
                          std::to_string(action->dialog));
      break;
    }
  }
  if (view.state().ended) return from;
  if (options_.answers)
    problems_.push_back("dialog " + std::to_string(view.state().id) + " was left open by the answer script");
  EndByDefault(model, view, actions);
  return "default";
}

bool HostUi::Apply(DialogModel& model, RecordingDialogView& view, const DialogAction& action) {
  const bool has_control = view.state().controls.count(action.control) > 0;
  const ControlState& control = view.state().control(action.control);
  const bool usable = has_control && control.visible && control.enabled;
  switch (action.kind) {
    case DialogAction::Kind::Press:
      if (!usable) return false;
      model.OnCommand(view, action.control);
      return true;
    case DialogAction::Kind::Return:
      view.set_return_key_down(true);
      model.OnCommand(view, DialogModel::kOkCommand);
      view.set_return_key_down(false);
      return true;
    case DialogAction::Kind::Escape:
      model.OnCommand(view, DialogModel::kCancelCommand);
      return true;
    case DialogAction::Kind::Select:
    case DialogAction::Kind::DoubleClick:
      if (!usable || action.value < 0 || action.value >= static_cast<int>(control.items.size())) return false;
      view.ListSelect(action.control, action.value);
      model.OnSelChange(view, action.control);
      if (action.kind == DialogAction::Kind::DoubleClick) model.OnDoubleClick(view, action.control);
      return true;
    case DialogAction::Kind::Type:
      if (!usable) return false;
      view.SetText(action.control, action.text);
      return true;
    case DialogAction::Kind::Check:
      if (!usable) return false;
      view.SetChecked(action.control, action.value != 0);
      return true;
    case DialogAction::Kind::Key:
      model.OnKey(view, action.value);
      return true;
    case DialogAction::Kind::Hover:
    case DialogAction::Kind::Leave:
      return ApplyToButton(view, action);
    case DialogAction::Kind::Display:
      if (action.control <= 0 || action.value <= 0) return false;
      screen_ = Size{action.control, action.value};
      view.set_screen(screen_);
      model.OnDisplayChange(view);
      return true;
    case DialogAction::Kind::Expand:
    case DialogAction::Kind::Collapse:
    case DialogAction::Kind::SelectItem:
      return usable && ApplyToTree(view, action);
  }
  return false;
}

// A click on a tree item's mark, or on the item, as a mouse would give it.
bool HostUi::ApplyToTree(RecordingDialogView& view, const DialogAction& action) {
  HostTreeControl* tree = view.tree(action.control);
  const TreeItem item = tree ? tree->state().Find(action.text) : kNoTreeItem;
  if (item == kNoTreeItem) return false;
  if (action.kind == DialogAction::Kind::SelectItem) return tree->Select(item);
  return tree->Expand(item, action.kind == DialogAction::Kind::Expand);
}

// The pointer over an owner-drawn control, or leaving it, as a mouse would.
bool HostUi::ApplyToButton(RecordingDialogView& view, const DialogAction& action) {
  HostButtonControl* button = view.button(action.control);
  if (!button || !button->state().visible || !button->events().TakesInput()) return false;
  button->events().OnPointerMove(action.kind == DialogAction::Kind::Hover, false);
  return true;
}

void HostUi::Snapshot(const RecordingDialogView& view) {
  const auto found = options_.snapshots.find(view.state().id);
  if (found == options_.snapshots.end()) return;
  const auto picture = view.Compose();
  std::string error;
  if (!picture)
    faults_.Add("dialog " + std::to_string(view.state().id) + " painted nothing to write to " +
                found->second.string());
  else if (!WritePng(*picture, found->second, error))
    faults_.Add(error);
}

void HostUi::EndByDefault(DialogModel& model, RecordingDialogView& view, std::vector<std::string>& actions) {
  // The default button, then Escape; a dialog that refuses both is closed.
  actions.push_back("press 1");
  model.OnCommand(view, DialogModel::kOkCommand);
  if (view.state().ended) return;
  actions.push_back("press 2");
  model.OnCommand(view, DialogModel::kCancelCommand);
  if (!view.state().ended) view.End(DialogModel::kCancelCommand);
}

std::unique_ptr<ModelessDialog> HostUi::OpenModeless(DialogModel& model, BoxOwner) {
  const auto view = MakeView(model.TemplateId());
  if (!view) return nullptr;
  model.OnInit(*view);
  view->FocusFirstControl();
  model.OnPaint(*view);
  const std::string id = std::to_string(view->state().id);
  Write("window id=" + id + " opened " + DescribeDialog(view->state()));
  RecordingDialogView* raw = view.get();
  view->set_on_change([this, raw, id] { Write("window id=" + id + " " + DescribeDialog(raw->state())); });
  windows_.push_back(view);
  open_windows_.push_back({&model, raw});
  return std::make_unique<HostModeless>(
      view, [this](const std::string& line) { Write(line); },
      [this, raw] {
        std::erase_if(open_windows_, [raw](const OpenWindow& window) { return window.view == raw; });
      });
}

bool HostUi::DispatchOneMessage() {
  if (!options_.answers) return false;
  for (const OpenWindow& window : open_windows_) {
    const auto action = options_.answers->NextDialogAction(window.view->state().id);
    if (!action) continue;
    const std::string from = "answers:" + std::to_string(action->line);
    Write("window id=" + std::to_string(action->dialog) + " " + action->Describe() + " from=" + from);
    if (action->kind == DialogAction::Kind::Key) pressed_keys_.push_back(action->value);
    if (!Apply(*window.model, *window.view, *action))
      problems_.push_back(from + " cannot " + action->Describe() + " in window " +
                          std::to_string(action->dialog));
    return true;
  }
  return false;
}

bool HostUi::KeyPressed(int virtual_key) {
  const auto found = std::find(pressed_keys_.begin(), pressed_keys_.end(), virtual_key);
  if (found == pressed_keys_.end()) return false;
  pressed_keys_.erase(found);
  return true;
}

}  // namespace tvx::host
