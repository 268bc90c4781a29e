// setuptvx: the program on a simulated Windows machine kept in a folder.
#include <CLI/CLI.hpp>
#include <iostream>

#include "platform/host/atomic_file.h"
#include "platform/host/simulated_machine.h"
#include "platform/host/terminal_progress.h"
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
  // An option given twice is refused rather than one of its values taken.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::Throw);
  CLI::Option* machine = app.add_option("--machine", args.machine, "machine folder to run on");
  CLI::Option* new_machine =
      app.add_option("--new-machine", args.new_machine, "make a fresh machine in this folder");
  new_machine->excludes(machine);
  app.add_option("--profile", args.profile, "machine profile for --new-machine")->needs(new_machine);
  app.add_option("--disc", args.disc, "folder that becomes the CD-ROM's contents (--new-machine)")
      ->needs(new_machine);
  app.add_option("--program", args.program, "the program's path on the machine (default: D:\\SetupTvx.exe)");
  app.add_option("--command-line", args.command_line, "the whole command line, verbatim");
  app.add_option("--answers", args.answers, "answer script for message boxes");
  app.add_option("--transcript", args.transcript, "transcript file (default: <machine>/transcript.log)");
  app.add_option("--panel-png", args.panel_png, "write the front panel as it first shows to this PNG file");
  for (CLI::Option* flag :
       {app.add_flag("--interactive", args.interactive, "ask the terminal for each answer"),
        app.add_flag("--quiet", args.quiet, "do not echo the transcript")})
    flag->multi_option_policy(CLI::MultiOptionPolicy::Throw)->disable_flag_override();
  app.add_option("arguments", args.program_arguments, "the program's own arguments, after --");
  app.footer("Example: setuptvx --machine /tmp/m -- -play Zephra");
}

// Bad input is one line, whatever the parser would say over several.
std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

// The parser's own report takes two lines and its own exit codes; here bad
// input ends with one line and 2, as every other refusal does. Help ends
// with 0. Answers the exit code when the run stops here.
std::optional<int> ParseArguments(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);
    std::string problem = error.what();
    for (const CLI::Option* option : app.get_options())
      if (option->nonpositional() && option->count() > 1)
        problem = option->get_name() + " is given more than once";
    std::cerr << "setuptvx: " << OneLine(problem) << "\n";
    return 2;
  }
  return std::nullopt;
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
  if (tvx::host::StandardErrorIsTerminal()) options.ui.progress = &std::cerr;
  if (!args.panel_png.empty()) options.ui.snapshots[tvx::FrontPanel::kTemplate] = args.panel_png;
  if (!args.answers.empty()) {
    std::string text;
    // A pipe (a shell's process substitution) is as good as a file here.
    if (!tvx::host::ReadHostStream(args.answers, text)) {
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

// One run of the program on the machine; the command line of an elevated
// copy it asked for and had accepted comes back in elevated_copy.
int RunOnce(const Arguments& args, bool elevated, std::optional<std::string>& elevated_copy) {
  std::string error;
  auto options = BuildRunOptions(args, error);
  if (options && elevated) {
    options->elevated = true;
    options->command_line = elevated_copy;
  }
  auto machine =
      options ? tvx::host::SimulatedMachine::Open(args.machine, std::move(*options), error) : nullptr;
  if (!machine) {
    std::cerr << "setuptvx: " << error << "\n";
    return 2;
  }
  const tvx::RunReport report = tvx::RunApplication(machine->platform());
  std::cout << "setuptvx: " << report.summary << "\n";
  elevated_copy = machine->shell().elevated_copy_requested();
  // The process that handed over saw no dialog: its answers are the copy's.
  const auto problems = elevated_copy ? std::vector<std::string>() : machine->ui().AnswerProblems();
  for (const std::string& problem : problems) std::cerr << "setuptvx: answer script: " << problem << "\n";
  // What the machine could not do makes the run's record incomplete: that
  // outweighs an answer script not followed.
  const auto& faults = machine->faults().list();
  for (const std::string& fault : faults) std::cerr << "setuptvx: machine: " << fault << "\n";
  if (!faults.empty()) return 4;
  if (!problems.empty()) return 3;
  // A silent run tells how it ended, as the program does on Windows.
  return report.silent ? report.exit_code : 0;
}

// An accepted elevation request ends the process; the copy it started runs
// next, on the same machine, with the elevated token and the same
// parameters, as the user would see it: one run, one prompt.
int RunOnMachine(const Arguments& args) {
  std::optional<std::string> elevated_copy;
  const int first = RunOnce(args, false, elevated_copy);
  if (first != 0 || !elevated_copy) return first;
  return RunOnce(args, true, elevated_copy);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"setuptvx: the setup program on a simulated Windows machine"};
  Arguments args;
  DefineOptions(app, args);
  if (const auto stop = ParseArguments(app, argc, argv)) return *stop;
  if (!args.new_machine.empty()) return MakeMachine(args);
  if (args.machine.empty()) {
    std::cerr << "setuptvx: give --machine FOLDER (or --new-machine FOLDER --profile FILE)\n";
    return 2;
  }
  return RunOnMachine(args);
}
