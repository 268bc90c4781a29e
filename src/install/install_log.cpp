#include "install/install_log.h"

#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx {
namespace {

bool Logged(const CopyItem& item) { return !item.font && !item.unlogged && !item.source_name.empty(); }

// The source folder as the copy reads it: an empty subdirectory still
// leaves one "\" between the program's folder and the name.
std::string SourceFolder(std::string_view program_directory, std::string_view subdirectory) {
  std::string folder = FromProgramDirectory(program_directory, subdirectory);
  if (!EndsWithBackslash(folder)) folder += '\\';
  return folder;
}

bool WriteLog(FileSystem& files, const std::string& path, const std::string& text) {
  OpenResult opened = files.Open(path, OpenMode::CreateAlways);
  if (!opened.file) return false;
  // A log cut short would hand the function a wrong list of files.
  return opened.file->Write(text) == FileError::None;
}

bool CallDll(PostInstallContext& context, const std::string& log_path) {
  Platform& platform = context.platform;
  const DllCall& call = context.configuration.dll_call;
  const std::string program_directory = ProgramDirectory(platform.files);
  const std::string library_path = FromProgramDirectory(program_directory, call.dll_path);
  const std::string data_path = FromProgramDirectory(program_directory, call.data_path);
  const auto library = platform.shell.OpenLibrary(library_path);
  if (!library) {
    platform.ui.ShowMessageBox(kDllNotOpened, "", box::kOk);
    return false;
  }
  const auto answer = library->CallWithStrings(call.function_name, log_path, data_path,
                                               WithoutFinalBackslash(context.install_directory));
  // A library without the function changes nothing.
  return !answer || *answer != 0;
}

}  // namespace

std::string FromProgramDirectory(std::string_view program_directory, std::string_view path) {
  std::string joined(program_directory);
  if (path.empty() || path.front() != '\\') joined += '\\';
  return joined + std::string(path);
}

std::string InstallLogText(std::string_view program_directory, std::string_view install_directory,
                           const CopyItemList& list) {
  std::string text;
  for (const CopyItem& item : list.items) {
    if (!Logged(item)) continue;
    text += SourceFolder(program_directory, item.source_subdirectory) + item.source_name;
    text += '=';
    text += std::string(install_directory) + item.destination_directory + item.destination_name;
    text += "\r\n";
  }
  return text;
}

bool WriteLogAndCallDll(PostInstallContext& context, const CopyItemList& list) {
  const bool calls = context.configuration.dll_call.present;
  if (!context.script.create_log && !calls) return true;
  FileSystem& files = context.platform.files;
  const std::string log_path = context.install_directory + kInstallLogName;
  bool result =
      WriteLog(files, log_path, InstallLogText(ProgramDirectory(files), context.install_directory, list));
  if (!result) {
    context.platform.ui.ShowMessageBox(kLogNotCreated, "", box::kOk);
  } else if (calls) {
    result = CallDll(context, log_path);
  }
  if (files.Attributes(log_path)) files.RemoveFile(log_path);
  return result;
}

}  // namespace tvx
