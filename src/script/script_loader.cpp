#include "script/script_loader.h"

#include "script/encoded_script_file.h"
#include "script/install_data.h"
#include "script/plain_text_source.h"
#include "script/script_parser.h"

namespace tvx {
namespace {

std::unique_ptr<ScriptLineReader> OpenPlain(FileSystem& files, std::string_view path) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file) return nullptr;
  return std::make_unique<ScriptLineReader>(
      std::make_unique<PlainTextSource>(ByteStream(std::move(opened.file))));
}

std::unique_ptr<ScriptLineReader> OpenEncoded(FileSystem& files, std::string_view path) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file) return nullptr;
  return std::make_unique<ScriptLineReader>(
      std::make_unique<EncodedScriptFile>(ByteStream(std::move(opened.file))));
}

void ShowError(Ui& ui, const std::string& text) { ui.ShowMessageBox(text, "Error", box::kIconHand); }

}  // namespace

std::string EncodedBaseName(std::string_view path) {
  std::string base(path);
  if (const std::size_t dot = base.rfind('.'); dot != std::string::npos) base.erase(dot, 1);
  return base;
}

OpenedScript OpenScript(FileSystem& files, std::string_view path) {
  if (files.Attributes(path)) return {OpenPlain(files, path), false};
  const std::string base = EncodedBaseName(path);
  for (const char* extension : {".dat", ".des"}) {
    const std::string encoded = base + extension;
    if (files.Attributes(encoded)) return {OpenEncoded(files, encoded), true};
  }
  return {};
}

bool LoadScript(ScriptEnvironment& environment, std::string_view path, InstallScript& script) {
  script.load.path = path.empty() ? ScriptPathIn(environment.install_data_folder) : std::string(path);
  OpenedScript opened = OpenScript(environment.platform.files, script.load.path);
  if (!opened.reader) {
    ShowError(environment.platform.ui, "Script not loaded !\nCould not open the file" + script.load.path);
    return false;
  }
  script.load.encoded = opened.encoded;
  const bool parsed = ParseScript(*opened.reader, environment, script);
  opened.reader.reset();
  if (!parsed) {
    std::string text = "Script loaded but corrupted !\nFileName : " + script.load.path;
    if (script.load.error_line != -1) text += "\nError in line " + std::to_string(script.load.error_line);
    ShowError(environment.platform.ui, text);
    return false;
  }
  return true;
}

}  // namespace tvx
