// tvxtool: checks, decodes, encodes and dumps install scripts for authors.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "encoded_script_writer.h"
#include "extract_command.h"
#include "match_report.h"
#include "pcx2png_command.h"
#include "plan_command.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "preview_command.h"
#include "scratch_machine.h"
#include "script/detection_catalogue.h"
#include "script/encoded_script_file.h"
#include "script/script_loader.h"
#include "script_json.h"

namespace {
namespace fs = std::filesystem;

struct Loaded {
  std::unique_ptr<tvx::authoring::ScratchMachine> machine;
  tvx::DetectionCatalogue tests;
  tvx::ScriptProcessState state;
  tvx::InstallScript script;
  bool found = false;
  bool ok = false;
};

bool ReadBytes(const std::string& path, std::string& bytes) {
  // A folder opens as a stream on Linux and reads as nothing.
  if (!fs::is_regular_file(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  bytes = content.str();
  return true;
}

// Loads a script as the program does, from a copy of its folder placed as
// D:\InstData on a scratch machine. A folder stands for its "tvx.ins".
bool LoadForTool(const std::string& argument, const std::string& label, Loaded& loaded,
                 const std::string& profile = "") {
  const fs::path given(argument);
  const bool is_folder = fs::is_directory(given);
  const fs::path folder = is_folder ? given : given.has_parent_path() ? given.parent_path() : fs::path(".");
  std::string error;
  if (!fs::is_directory(folder) ||
      !(loaded.machine = tvx::authoring::ScratchMachine::Make(folder, label, error, profile))) {
    std::cerr << "tvxtool: " << (error.empty() ? folder.string() + " is not a folder" : error) << "\n";
    return false;
  }
  tvx::ScriptEnvironment environment{
      loaded.machine->platform(), loaded.state, loaded.tests, "D:\\InstData", {}};
  const std::string path = is_folder ? "" : "D:\\InstData\\" + given.filename().string();
  loaded.ok = tvx::LoadScript(environment, path, loaded.script);
  loaded.found = loaded.ok || loaded.script.load.error_line != -1;
  return true;
}

std::size_t FileCount(const tvx::InstallScript& script) {
  std::size_t count = script.common_files.items.size() + script.common_language_files.items.size();
  for (const tvx::Configuration& configuration : script.configurations)
    count += configuration.files.items.size() + configuration.language_files.items.size();
  return count;
}

std::string Summary(const tvx::InstallScript& script) {
  std::string keys;
  for (const std::string& key : script.languages.keys) keys += (keys.empty() ? "" : ", ") + key;
  return tvx::authoring::Windows1252ToUtf8(
      script.application_name + ": " + std::to_string(script.configurations.size()) + " configurations, " +
      std::to_string(script.languages.keys.size()) + " languages (" + keys + "), " +
      std::to_string(FileCount(script)) + " files");
}

// Where the container the program read stopped, when its text did not
// reach the file's end: the program only says "Error in line N".
void ReportContainerBreak(const Loaded& loaded, const std::string& script_path) {
  tvx::FileSystem& files = loaded.machine->platform().files;
  const std::string base = tvx::EncodedBaseName(loaded.script.load.path);
  for (const char* extension : {".dat", ".des"}) {
    std::string bytes;
    if (tvx::ReadWholeFile(files, base + extension, bytes) != tvx::FileError::None) continue;
    tvx::EncodedScriptFile container{tvx::ByteStream(bytes)};
    while (container.ReadChar() >= 0) {
    }
    if (const auto& broken = container.broken())
      std::cout << script_path << ": error: the container " << (broken->cut ? "is cut inside" : "has")
                << " a record" << (broken->cut ? "" : " of no known kind") << " at byte " << broken->offset
                << "; its text stops there\n";
    return;
  }
}

// What start-up refuses although the script loaded, told before a user
// meets a program that ends without a word.
std::vector<std::string> StartupWarnings(const Loaded& loaded) {
  std::vector<std::string> warnings;
  const tvx::LanguageTable& languages = loaded.script.languages;
  if (languages.keys.empty()) warnings.push_back("no LANGUAGES: the program ends at start-up without a word");
  for (std::size_t i = 0; i < languages.keys.size(); ++i) {
    const std::string& key = languages.keys[i];
    if (i >= languages.common_strings_files.size() || i >= languages.product_strings_files.size()) {
      warnings.push_back("language " + key + " names no strings files: choosing it ends the program");
      continue;
    }
    for (const std::string& name : {languages.common_strings_files[i], languages.product_strings_files[i]})
      if (!loaded.machine->platform().files.Attributes(tvx::JoinPath("D:\\InstData", name)))
        warnings.push_back("language " + key + ": no strings file " + name +
                           ": choosing it ends the program");
  }
  return warnings;
}

int Check(const std::string& script_path, const std::string& label) {
  Loaded loaded;
  if (!LoadForTool(script_path, label, loaded)) return 2;
  for (const std::string& line : loaded.machine->ui().lines) std::cout << line << "\n";
  if (!loaded.found) {
    std::cout << script_path << ": error: no script found\n";
    return 1;
  }
  if (!loaded.ok) {
    std::cout << script_path << ":" << loaded.script.load.error_line << ": error: script corrupted\n";
    if (loaded.script.load.encoded) ReportContainerBreak(loaded, script_path);
    return 1;
  }
  std::cout << Summary(loaded.script) << "\n";
  const std::vector<std::string> warnings = StartupWarnings(loaded);
  for (const std::string& warning : warnings)
    std::cout << tvx::authoring::Windows1252ToUtf8(script_path + ": warning: " + warning) << "\n";
  return warnings.empty() ? 0 : 1;
}

int Dump(const std::string& script_path, const std::string& label) {
  Loaded loaded;
  if (!LoadForTool(script_path, label, loaded)) return 2;
  for (const std::string& line : loaded.machine->ui().lines) std::cerr << line << "\n";
  nlohmann::ordered_json model = tvx::authoring::ScriptToJson(loaded.script, loaded.state);
  model["loaded"] = loaded.ok;
  std::cout << model.dump(2) << "\n";
  return loaded.ok ? 0 : 1;
}

int Match(const std::string& script_path, const std::string& label, const std::string& profile,
          const std::string& language) {
  Loaded loaded;
  if (!fs::is_regular_file(profile)) {
    std::cerr << "tvxtool: no machine profile " << profile << "\n";
    return 2;
  }
  if (!LoadForTool(script_path, label, loaded, profile)) return 2;
  if (!loaded.ok) {
    for (const std::string& line : loaded.machine->ui().lines) std::cerr << line << "\n";
    std::cerr << script_path << ": error: the script could not be loaded\n";
    return 1;
  }
  std::string error;
  const auto report = tvx::authoring::MatchReport(loaded.machine->platform(), loaded.script, loaded.state,
                                                  loaded.tests, language, error);
  for (const std::string& line : loaded.machine->ui().lines) std::cerr << line << "\n";
  if (!report) {
    std::cerr << "tvxtool: " << error << "\n";
    return 1;
  }
  std::cout << report->dump(2) << "\n";
  return 0;
}

int Decode(const std::string& container_path) {
  std::string bytes;
  if (!ReadBytes(container_path, bytes)) {
    std::cerr << "tvxtool: cannot read " << container_path << "\n";
    return 2;
  }
  tvx::EncodedScriptFile container{tvx::ByteStream(bytes)};
  if (!container.keyed()) {
    std::cerr << "tvxtool: " << container_path << " is not an encoded script container\n";
    return 1;
  }
  std::string text;
  for (int c = container.ReadChar(); c >= 0; c = container.ReadChar()) text.push_back(static_cast<char>(c));
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  return std::cout.good() ? 0 : 2;
}

int Encode(const std::string& text_path, const std::string& output_path) {
  std::string text;
  if (!ReadBytes(text_path, text)) {
    std::cerr << "tvxtool: cannot read " << text_path << "\n";
    return 2;
  }
  const std::string container =
      tvx::authoring::WriteEncodedScript(text, {.header_filler = 13, .body_filler = 7});
  std::ofstream out(output_path, std::ios::binary | std::ios::trunc);
  out.write(container.data(), static_cast<std::streamsize>(container.size()));
  if (!out) {
    std::cerr << "tvxtool: cannot write " << output_path << "\n";
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"tvxtool: a tool for install-script authors"};
  app.require_subcommand(1);
  std::string script, container, text, output, label = "ZEPHRA";
  app.add_option("--label", label, "volume label of the scratch CD-ROM the script is read from");
  CLI::App* check = app.add_subcommand("check", "load a script as the program does and report");
  check->add_option("SCRIPT", script, "tvx.ins, an encoded container's plain name, or a folder")->required();
  CLI::App* dump = app.add_subcommand("dump", "print the parsed script as JSON");
  dump->add_option("SCRIPT", script, "tvx.ins, an encoded container's plain name, or a folder")->required();
  CLI::App* decode =
      app.add_subcommand("decode", "write the text of an encoded container to standard output");
  decode->add_option("CONTAINER", container, "Tvxins.dat or Tvxins.des")->required();
  CLI::App* encode = app.add_subcommand("encode", "write an encoded container of a plain script");
  encode->add_option("TEXT", text, "the plain script")->required();
  encode->add_option("-o,--output", output, "the container to write")->required();
  std::string machine, language;
  CLI::App* match =
      app.add_subcommand("match", "run the machine tests and the configuration matching, as JSON");
  match->add_option("SCRIPT", script, "tvx.ins, an encoded container's plain name, or a folder")->required();
  match->add_option("--machine", machine, "a machine profile (examples/machines/*.json)")->required();
  match->add_option("--language", language, "the language's key (default: the script's first)");
  tvx::authoring::Pcx2PngArguments pcx2png_arguments;
  CLI::App* pcx2png = tvx::authoring::AddPcx2PngCommand(app, pcx2png_arguments);
  tvx::authoring::PreviewArguments preview_arguments;
  CLI::App* preview = tvx::authoring::AddPreviewCommand(app, preview_arguments);
  tvx::authoring::PlanArguments plan_arguments;
  CLI::App* plan = tvx::authoring::AddPlanCommand(app, plan_arguments);
  tvx::authoring::ExtractArguments extract_arguments;
  CLI::App* extract = tvx::authoring::AddExtractCommand(app, extract_arguments);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // A wrong command line is input that could not be read: code 2, as
    // for the rest; help is still 0.
    const int code = app.exit(error);
    return code == 0 ? 0 : 2;
  }
  if (*plan) return tvx::authoring::RunPlan(plan_arguments);
  if (*extract) return tvx::authoring::RunExtract(extract_arguments, label);
  if (*preview) return tvx::authoring::RunPreview(preview_arguments, label);
  if (*pcx2png) return tvx::authoring::RunPcx2Png(pcx2png_arguments);
  if (*check) return Check(script, label);
  if (*dump) return Dump(script, label);
  if (*match) return Match(script, label, machine, language);
  if (*decode) return Decode(container);
  return Encode(text, output);
}
