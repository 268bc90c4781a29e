// setuptvx: the program on a simulated Windows machine kept in a folder.
#include <CLI/CLI.hpp>
#include <iostream>

#include "platform/host/atomic_file.h"
#include "platform/host/simulated_machine.h"
#include "shell/application.h"

namespace {

struct Arguments {
  std::string machine;
  std::string new_machine;
  std::string profile;
  std::string disc;
  std::string program;
  std::string command_line;
  std::string answers;
  std::string transcript;
  std::string panel_png;
  bool interactive = false;
  bool quiet = false;
  std::vector<std::string> program_arguments;
};

void DefineOptions(CLI::App& app, Arguments& args) {
  app.add_option("--machine", args.machine, "machine folder to run on");
  app.add_option("--new-machine", args.new_machine, "make a fresh machine in this folder");
  app.add_option("--profile", args.profile, "machine profile for --new-machine");
  app.add_option("--disc", args.disc, "folder that becomes the CD-ROM's contents (--new-machine)");
  app.add_option("--program", args.program, "the program's path on the machine (default: D:\\SetupTvx.exe)");
  app.add_option("--command-line", args.command_line, "the whole command line, verbatim");
  app.add_option("--answers", args.answers, "answer script for message boxes");
  app.add_option("--transcript", args.transcript, "transcript file (default: <machine>/transcript.log)");
  app.add_option("--panel-png", args.panel_png, "write the front panel as it first shows to this PNG file");
  app.add_flag("--interactive", args.interactive, "ask the terminal for each answer");
  app.add_flag("--quiet", args.quiet, "do not echo the transcript");
  app.add_option("arguments", args.program_arguments, "the program's own arguments, after --");
  app.footer("Example: setuptvx --machine /tmp/m -- -play Zephra");
}

int MakeMachine(const Arguments& args) {
  if (args.profile.empty()) {
    std::cerr << "setuptvx: --new-machine needs --profile\n";
    return 2;
  }
  std::optional<std::filesystem::path> disc;
  if (!args.disc.empty()) disc = args.disc;
  const std::string error = tvx::host::CreateMachine(args.new_machine, args.profile, disc);
  if (!error.empty()) {
    std::cerr << "setuptvx: " << error << "\n";
    return 2;
  }
  std::cout << "setuptvx: made the machine " << args.new_machine << " from " << args.profile << "\n";
  return 0;
}

std::optional<tvx::host::RunOptions> BuildRunOptions(const Arguments& args, std::string& error) {
  tvx::host::RunOptions options;
  options.program_path = args.program;
  if (!args.command_line.empty()) options.command_line = args.command_line;
  for (const std::string& word : args.program_arguments)
    options.arguments += (options.arguments.empty() ? "" : " ") + word;
  options.ui.transcript = args.transcript.empty() ? std::filesystem::path(args.machine) / "transcript.log"
                                                  : std::filesystem::path(args.transcript);
  options.ui.echo = args.quiet ? nullptr : &std::cout;
  if (args.interactive) options.ui.prompt = &std::cin;
  if (!args.panel_png.empty()) options.ui.snapshots[tvx::FrontPanel::kTemplate] = args.panel_png;
  if (!args.answers.empty()) {
    std::string text;
    if (!tvx::host::ReadHostFile(args.answers, text)) {
      error = "cannot read the answer script " + args.answers;
      return std::nullopt;
    }
    options.ui.answers = tvx::host::AnswerScript::Parse(text, error);
    if (!options.ui.answers) {
      error = args.answers + ": " + error;
      return std::nullopt;
    }
  }
  return options;
}

int RunOnMachine(const Arguments& args) {
  std::string error;
  auto options = BuildRunOptions(args, error);
  auto machine =
      options ? tvx::host::SimulatedMachine::Open(args.machine, std::move(*options), error) : nullptr;
  if (!machine) {
    std::cerr << "setuptvx: " << error << "\n";
    return 2;
  }
  const tvx::RunReport report = tvx::RunApplication(machine->platform());
  std::cout << "setuptvx: " << report.summary << "\n";
  const auto problems = machine->ui().AnswerProblems();
  for (const std::string& problem : problems) std::cerr << "setuptvx: answer script: " << problem << "\n";
  return problems.empty() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"setuptvx: the setup program on a simulated Windows machine"};
  Arguments args;
  DefineOptions(app, args);
  CLI11_PARSE(app, argc, argv);
  if (!args.new_machine.empty()) return MakeMachine(args);
  if (args.machine.empty()) {
    std::cerr << "setuptvx: give --machine FOLDER (or --new-machine FOLDER --profile FILE)\n";
    return 2;
  }
  return RunOnMachine(args);
}
