// The choices of an installation run on a scratch machine, made in the
// dialogs that ask for them; every other dialog and box takes its default.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/modeless_dialog.h"
#include "platform/ui.h"

namespace tvx::authoring {

struct InstallChoices {
  std::optional<std::size_t> language;       // the language's index in the script
  std::optional<std::size_t> configuration;  // the configuration's index in the script
  std::optional<std::string> directory;      // what is typed in the directory dialog
};

// Forwards to the machine's own interface; the language, configuration and
// directory dialogs are answered from the choices once they have painted.
class SteeringUi : public Ui {
 public:
  SteeringUi(Ui& inner, InstallChoices choices) : inner_(inner), choices_(std::move(choices)) {}

  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override {
    return inner_.ShowMessageBox(text, caption, style, owner);
  }
  int RunDialog(DialogModel& model) override;
  int RunMainWindow(DialogModel& model) override { return inner_.RunMainWindow(model); }
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override {
    return inner_.OpenModeless(model, owner);
  }
  Surface& surface() override { return inner_.surface(); }
  bool KeyPressed(int virtual_key) override { return inner_.KeyPressed(virtual_key); }
  bool DispatchOneMessage() override { return inner_.DispatchOneMessage(); }

  // Set when the configuration asked for was not in the choice dialog's list.
  bool configuration_unlisted() const { return configuration_unlisted_; }

 private:
  Ui& inner_;
  InstallChoices choices_;
  bool configuration_unlisted_ = false;
};

}  // namespace tvx::authoring
