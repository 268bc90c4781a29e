#include "script/strings_loader.h"

#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/whole_file_replace.h"
#include "script/plain_text_source.h"
#include "script/script_line_reader.h"
#include "script/script_text.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

// Above this much free memory an unreadable file is reported as such;
// below it the likelier cause is a full disk.
constexpr std::uint64_t kMemoryForReadError = 10485759;

std::unique_ptr<ScriptLineReader> OpenStrings(FileSystem& files, const std::string& path) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file) return nullptr;
  return std::make_unique<ScriptLineReader>(
      std::make_unique<PlainTextSource>(ByteStream(std::move(opened.file))));
}

std::string FirstLineOf(FileSystem& files, const std::string& path) {
  const std::unique_ptr<ScriptLineReader> reader = OpenStrings(files, path);
  return reader ? std::string(reader->NextSignificantLine()) : std::string();
}

void ReportUnreadable(Platform& platform, ScriptProcessState& state, const std::string& path) {
  const MemoryStatus memory = platform.system.Memory();
  if (memory.available_physical + memory.available_page_file > kMemoryForReadError)
    ShowPlainMessage(platform.ui, "Can't read " + path + " !!");
  else
    ShowPlainMessage(platform.ui, "You do not have enough space on your hard drive.");
  state.strings_failed = true;
}

void AppendFile(Platform& platform, ScriptProcessState& state, const std::string& path) {
  const std::unique_ptr<ScriptLineReader> reader = OpenStrings(platform.files, path);
  if (!reader) return ReportUnreadable(platform, state, path);
  state.strings.AppendAll(*reader);
}

// Each copy replaces its file in one step, so a full disk or a kill never
// leaves a cut file behind; the file whose first line marks the copies'
// freshness goes last, so an interrupted refresh is taken up again next time.
bool ReplaceSharedCopy(FileSystem& files, std::string_view install_data, const std::string& shared,
                       std::string_view name) {
  std::string contents;
  if (ReadWholeFile(files, JoinPath(install_data, name), contents) != FileError::None) return false;
  return ReplaceWholeFile(files, JoinPath(shared, name), JoinPath(shared, "strings.tmp"), contents,
                          /*replace_read_only=*/true);
}

void RefreshSharedCopies(FileSystem& files, const std::string& shared, std::string_view install_data,
                         std::string_view common_name) {
  const std::string shared_mark = FirstLineOf(files, JoinPath(shared, common_name));
  const std::string disc_mark = FirstLineOf(files, JoinPath(install_data, common_name));
  if (!(shared_mark < disc_mark)) return;
  CreateDirectoryChain(files, shared);
  for (const FindEntry& entry : files.Find(JoinPath(install_data, "strings.*")).entries) {
    if (EqualsNoCase(entry.name, common_name)) continue;
    if (!ReplaceSharedCopy(files, install_data, shared, entry.name)) return;
  }
  ReplaceSharedCopy(files, install_data, shared, common_name);
}

}  // namespace

std::string SharedStringsFolder(FileSystem& files) { return JoinPath(WindowsDirectory(files), "Tarvex"); }

void LoadStrings(Platform& platform, ScriptProcessState& state, std::string_view install_data_folder,
                 std::string_view common_name, std::string_view product_name) {
  const std::string shared = SharedStringsFolder(platform.files);
  RefreshSharedCopies(platform.files, shared, install_data_folder, common_name);
  AppendFile(platform, state, JoinPath(shared, common_name));
  AppendFile(platform, state, JoinPath(install_data_folder, product_name));
}

std::string ReadOneString(Platform& platform, ScriptProcessState& state, std::string_view file_name,
                          std::int32_t number) {
  const std::string path = JoinPath(SharedStringsFolder(platform.files), file_name);
  const std::unique_ptr<ScriptLineReader> reader = OpenStrings(platform.files, path);
  if (!reader) {
    ReportUnreadable(platform, state, path);
    return kNullString;
  }
  for (std::string_view line = reader->NextSignificantLine(); !line.empty();
       line = reader->NextSignificantLine()) {
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && ParseWholeNumber(line.substr(0, colon)) == number)
      return std::string(line.substr(colon + 1));
  }
  return kNullString;
}

void SetConfigurationNames(InstallScript& script, StringTable& strings, Ui& ui) {
  // Wraps like the 32-bit arithmetic it stands for instead of overflowing.
  std::uint32_t number = static_cast<std::uint32_t>(strings.SectionNumber("ConfigName"));
  for (Configuration& configuration : script.configurations)
    configuration.name = strings.LookupString(ui, static_cast<std::int32_t>(number++));
}

}  // namespace tvx
