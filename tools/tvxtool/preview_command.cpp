#include "preview_command.h"

#include <filesystem>
#include <iostream>
#include <sstream>

#include "scratch_machine.h"
#include "script_json.h"
#include "shell/application.h"
#include "shell/front_panel.h"

namespace tvx::authoring {
namespace fs = std::filesystem;

namespace {

// The panel is left by Quit so no action runs; a language is picked only
// when asked for, and the language dialog may not show at all.
std::string PreviewAnswers(int language) {
  std::string answers;
  if (language >= 0)
    answers += "dialog 133 select 1009 " + std::to_string(language) + "\ndialog 133 press 1\n";
  return answers + "dialog " + std::to_string(FrontPanel::kTemplate) + " press 2\n";
}

void ReportBoxes(const std::string& transcript) {
  std::istringstream lines(transcript);
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("message-box")) std::cerr << Windows1252ToUtf8(line) << "\n";
}

}  // namespace

CLI::App* AddPreviewCommand(CLI::App& app, PreviewArguments& arguments) {
  CLI::App* preview = app.add_subcommand("preview", "write the front panel a disc shows as a PNG");
  preview->add_option("DISC", arguments.disc, "the disc's folder (holding InstData) or the script's folder")
      ->required();
  preview->add_option("PNG", arguments.png, "the picture to write")->required();
  preview->add_option("--machine", arguments.profile, "a machine profile (default: a Windows 98 machine)");
  preview->add_option("--language", arguments.language, "the language list's item to choose, from 0");
  return preview;
}

int RunPreview(const PreviewArguments& arguments, const std::string& label) {
  std::string error;
  host::RunOptions options;
  std::ostringstream transcript;
  options.ui.echo = &transcript;
  options.ui.snapshots[FrontPanel::kTemplate] = fs::absolute(arguments.png);
  options.ui.answers = host::AnswerScript::Parse(PreviewAnswers(arguments.language), error);
  std::unique_ptr<ScratchMachine> machine;
  if (!fs::is_directory(arguments.disc))
    error = arguments.disc + " is not a folder";
  else if (!arguments.profile.empty() && !fs::is_regular_file(arguments.profile))
    error = "no machine profile " + arguments.profile;
  else
    machine = ScratchMachine::Make(arguments.disc, label, error, arguments.profile, std::move(options));
  if (!machine) {
    std::cerr << "tvxtool: " << error << "\n";
    return 2;
  }
  std::error_code ignored;
  fs::remove(arguments.png, ignored);
  const RunReport report = RunApplication(machine->host().platform());
  ReportBoxes(transcript.str());
  if (!fs::is_regular_file(arguments.png)) {
    std::cerr << "tvxtool: the panel did not show (" << report.summary << ")\n";
    return 1;
  }
  std::cout << report.summary << "\n";
  return 0;
}

}  // namespace tvx::authoring
