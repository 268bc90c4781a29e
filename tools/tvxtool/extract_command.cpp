#include "extract_command.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "install/copy_paths.h"
#include "platform/file_services.h"
#include "platform/host/terminal_progress.h"
#include "platform/path_text.h"
#include "safe_output_path.h"
#include "scratch_machine.h"
#include "script/detection_catalogue.h"
#include "script/encoded_script_file.h"
#include "script/script_loader.h"
#include "script_json.h"

namespace tvx::authoring {
namespace fs = std::filesystem;

namespace {

constexpr const char* kInstallData = "D:\\InstData";

// One item of the list: where it is read on the disc and where it goes
// below the output folder.
struct Placement {
  std::string source;  // as the script names it, from the disc's root; empty for a folder
  fs::path target;
  std::string destination;  // as the script names it, for messages
};

struct Loaded {
  std::unique_ptr<ScratchMachine> machine;
  InstallScript script;
  std::size_t language = 0;
};

// What an installation copies: the common files unless the configuration
// goes without them, then its own, each followed by the language's.
std::vector<CopyItem> ItemsOf(const InstallScript& script, const Configuration& configuration,
                              const std::string& language) {
  std::vector<CopyItem> items;
  const auto append = [&](const CopyItemList& files, const CopyItemList& language_files) {
    items.insert(items.end(), files.items.begin(), files.items.end());
    for (const CopyItem& item : language_files.items)
      if (item.language_tag == language) items.push_back(item);
  };
  if (!configuration.without_common_files) append(script.common_files, script.common_language_files);
  append(configuration.files, configuration.language_files);
  return items;
}

bool Reserved(const fs::path& target) {
  if (target.empty()) return false;
  const std::string first = target.begin()->string();
  for (const char* name : {kSystemFolder, kFontsFolder, kSetupFolder})
    if (EqualsNoCase(first, name)) return true;
  return false;
}

// The item's place below the output folder, or why it has none.
std::string Place(const CopyItem& item, Placement& placed) {
  const std::string& name = item.destination_name.empty() ? item.source_name : item.destination_name;
  std::string folder;
  if (EqualsNoCase(item.destination_directory, kSharedDllMacro) ||
      EqualsNoCase(item.destination_directory, kWindowsSystemMacro))
    folder = std::string(kSystemFolder) + "\\";
  else if (item.font)
    folder = std::string(kFontsFolder) + "\\";
  placed.destination = item.font || !folder.empty() ? name : item.destination_directory + name;
  const SafePath target = SafeRelativePath(placed.destination);
  if (!target.refusal.empty()) return target.refusal;
  if (folder.empty() && Reserved(target.path)) return "a folder whose name extract keeps for itself";
  placed.target = SafeRelativePath(folder).path / target.path;
  if (item.source_name.empty()) return {};
  // The source folder is read from the disc's root, as the copy joins it.
  std::string_view subdirectory = item.source_subdirectory;
  if (subdirectory.starts_with('\\')) subdirectory.remove_prefix(1);
  placed.source = std::string(subdirectory) + "\\" + item.source_name;
  const SafePath source = SafeRelativePath(placed.source);
  if (!source.refusal.empty()) return "its source: " + source.refusal;
  if (target.path.empty()) return "no file name";
  return {};
}

// Walks a relative path down from a folder, without regard to case and
// without following a link; makes the missing folders when asked.
std::optional<fs::path> Walk(const fs::path& root, const fs::path& relative, bool make, std::string& why) {
  fs::path here = root;
  std::error_code status;
  for (const fs::path& step : relative) {
    const std::optional<fs::path> found = FindNoCase(here, step.string());
    if (found && fs::is_symlink(*found, status)) {
      why = found->string() + " is a symbolic link";
      return std::nullopt;
    }
    if (!found && !make) {
      why = (here / step).string() + " does not exist";
      return std::nullopt;
    }
    here = found ? *found : here / step;
    if (!found && !fs::create_directory(here, status) && status) {
      why = "cannot create " + here.string() + ": " + status.message();
      return std::nullopt;
    }
  }
  return here;
}

// Copies one file to its place; false after one line on standard error.
bool CopyTo(const fs::path& source, const fs::path& output, const fs::path& target) {
  std::string why;
  std::optional<fs::path> folder = Walk(output, target.parent_path(), true, why);
  std::error_code status;
  if (folder) {
    const std::optional<fs::path> existing = FindNoCase(*folder, target.filename().string());
    const fs::path file = existing ? *existing : *folder / target.filename();
    if (existing && (fs::is_symlink(file, status) || !fs::is_regular_file(file, status)))
      why = file.string() + " is in the way";
    else if (!fs::copy_file(source, file, fs::copy_options::overwrite_existing, status))
      why = "cannot write " + file.string() + ": " + status.message();
  }
  if (why.empty()) return true;
  std::cerr << "tvxtool: " << why << "\n";
  return false;
}

bool WriteTo(const fs::path& output, const fs::path& target, const std::string& bytes) {
  std::string why;
  const std::optional<fs::path> folder = Walk(output, target.parent_path(), true, why);
  const fs::path file = folder ? *folder / target.filename() : fs::path();
  std::error_code status;
  if (folder && fs::is_symlink(file, status)) why = file.string() + " is a symbolic link";
  if (why.empty()) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) why = "cannot write " + file.string();
  }
  if (why.empty()) return true;
  std::cerr << "tvxtool: " << why << "\n";
  return false;
}

// The script as the program reads it: an encoded container deciphered.
std::string ScriptText(FileSystem& files, const ScriptLoadState& load) {
  std::string bytes;
  if (!load.encoded) {
    ReadWholeFile(files, load.path, bytes);
    return bytes;
  }
  for (const char* extension : {".dat", ".des"}) {
    if (ReadWholeFile(files, EncodedBaseName(load.path) + extension, bytes) != FileError::None) continue;
    EncodedScriptFile container{ByteStream(bytes)};
    std::string text;
    for (int c = container.ReadChar(); c >= 0; c = container.ReadChar()) text.push_back(static_cast<char>(c));
    return text;
  }
  return {};
}

bool WriteSetupFiles(Loaded& loaded, const fs::path& output) {
  FileSystem& files = loaded.machine->platform().files;
  const fs::path setup(kSetupFolder);
  bool written = WriteTo(output, setup / "tvx.ins", ScriptText(files, loaded.script.load));
  const LanguageTable& languages = loaded.script.languages;
  for (const auto* names : {&languages.common_strings_files, &languages.product_strings_files}) {
    if (loaded.language >= names->size()) continue;
    const std::string& name = (*names)[loaded.language];
    const SafePath safe = SafeRelativePath(AfterLastBackslash(name));
    std::string bytes;
    if (safe.path.empty() || ReadWholeFile(files, JoinPath(kInstallData, name), bytes) != FileError::None) {
      std::cerr << "tvxtool: no strings file " << Windows1252ToUtf8(name) << "\n";
      written = false;
      continue;
    }
    written = WriteTo(output, setup / safe.path, bytes) && written;
  }
  return written;
}

// The script from the disc's InstData, the language's index. 0, or the
// exit code after one line on standard error.
int Load(const ExtractArguments& arguments, const std::string& label, Loaded& loaded) {
  std::optional<fs::path> data;
  if (fs::is_directory(arguments.disc)) data = FindNoCase(arguments.disc, "InstData");
  if (!data || !fs::is_directory(*data)) {
    std::cerr << "tvxtool: " << arguments.disc << " is not a disc folder: it holds no InstData\n";
    return 2;
  }
  std::string error;
  if (!(loaded.machine = ScratchMachine::Make(*data, label, error))) {
    std::cerr << "tvxtool: " << error << "\n";
    return 2;
  }
  ScriptProcessState state;
  DetectionCatalogue tests;
  ScriptEnvironment environment{loaded.machine->platform(), state, tests, kInstallData, {}};
  if (!LoadScript(environment, "", loaded.script)) {
    for (const std::string& line : loaded.machine->ui().lines) std::cerr << line << "\n";
    std::cerr << arguments.disc << ": error: the script could not be loaded\n";
    return 1;
  }
  const std::vector<std::string>& keys = loaded.script.languages.keys;
  const std::string key = arguments.language.empty() && !keys.empty() ? keys.front() : arguments.language;
  const auto found = std::find(keys.begin(), keys.end(), key);
  loaded.language = static_cast<std::size_t>(found - keys.begin());
  if (found == keys.end() && !key.empty()) {
    std::cerr << "tvxtool: the script has no language " << key << "\n";
    return 1;
  }
  const std::size_t count = loaded.script.configurations.size();
  if (arguments.configuration >= count) {
    std::cerr << "tvxtool: the script has no configuration " << arguments.configuration << " (it has "
              << count << ", from 0)\n";
    return 1;
  }
  return 0;
}

// The bytes of each placement's source on the disc (0 for a folder or a
// file that cannot be found), for the progress line.
std::vector<std::uintmax_t> SourceSizes(const std::vector<Placement>& placements, const fs::path& disc) {
  std::vector<std::uintmax_t> sizes;
  for (const Placement& placed : placements) {
    std::string why;
    std::error_code status;
    const auto source =
        placed.source.empty() ? std::nullopt : Walk(disc, SafeRelativePath(placed.source).path, false, why);
    const std::uintmax_t size = source ? fs::file_size(*source, status) : 0;
    sizes.push_back(status ? 0 : size);
  }
  return sizes;
}

// Every folder made and file copied that could be; false after one line
// for each that could not. The progress line, when there is one, counts
// the bytes of the files.
bool WritePlacements(const std::vector<Placement>& placements, const fs::path& disc, const fs::path& output,
                     host::TerminalProgress* progress) {
  const std::vector<std::uintmax_t> sizes =
      progress ? SourceSizes(placements, disc) : std::vector<std::uintmax_t>();
  std::uintmax_t total = 0, done = 0;
  for (std::uintmax_t size : sizes) total += size;
  bool complete = true;
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const Placement& placed = placements[i];
    if (progress) {
      progress->Update(Windows1252ToUtf8(placed.destination),
                       total ? static_cast<int>(done * 100 / total) : 0);
      done += sizes[i];
    }
    std::string why;
    if (placed.source.empty()) {
      complete = Walk(output, placed.target, true, why).has_value() && complete;
    } else if (const auto source = Walk(disc, SafeRelativePath(placed.source).path, false, why)) {
      complete = CopyTo(*source, output, placed.target) && complete;
      continue;
    } else {
      complete = false;
    }
    if (!why.empty()) std::cerr << "tvxtool: " << why << "\n";
  }
  return complete;
}

}  // namespace

CLI::App* AddExtractCommand(CLI::App& app, ExtractArguments& arguments) {
  CLI::App* extract =
      app.add_subcommand("extract", "copy the files a configuration installs, as it lays them out");
  extract->add_option("DISC", arguments.disc, "the disc's folder (holding InstData)")->required();
  extract->add_option("OUTDIR", arguments.output, "the folder to write (made when missing)")->required();
  extract->add_option("--config", arguments.configuration, "the configuration's index, from 0 (default 0)");
  extract->add_option("--language", arguments.language, "the language's key (default: the script's first)");
  return extract;
}

int RunExtract(const ExtractArguments& arguments, const std::string& label) {
  Loaded loaded;
  if (const int refused = Load(arguments, label, loaded)) return refused;
  const std::string key = loaded.language < loaded.script.languages.keys.size()
                              ? loaded.script.languages.keys[loaded.language]
                              : "";
  std::vector<Placement> placements;
  bool refused = false;
  for (const CopyItem& item :
       ItemsOf(loaded.script, loaded.script.configurations[arguments.configuration], key)) {
    Placement placed;
    const std::string why = Place(item, placed);
    if (!why.empty())
      std::cerr << "tvxtool: refused " << Windows1252ToUtf8(placed.destination) << ": " << why << "\n";
    refused = refused || !why.empty();
    placements.push_back(std::move(placed));
  }
  if (refused) return 1;
  const fs::path output(arguments.output);
  std::error_code status;
  fs::create_directories(output, status);
  if (!fs::is_directory(output, status)) {
    std::cerr << "tvxtool: cannot create " << arguments.output << "\n";
    return 2;
  }
  std::unique_ptr<host::TerminalProgress> progress;
  if (host::StandardErrorIsTerminal()) progress = std::make_unique<host::TerminalProgress>(std::cerr);
  bool complete = WritePlacements(placements, arguments.disc, output, progress.get());
  if (progress) progress->Finish();
  complete = WriteSetupFiles(loaded, output) && complete;
  return complete ? 0 : 1;
}

}  // namespace tvx::authoring
