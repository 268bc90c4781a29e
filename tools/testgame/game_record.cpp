#include "game_record.h"

#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx::game {

std::string MutexNameOf(std::string_view program_path) {
  std::string_view name = AfterLastBackslash(program_path);
  name = name.substr(0, name.rfind('.'));
  std::string mutex;
  for (char c : name) mutex += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  return mutex + "EXE";
}

std::unique_ptr<MutexHandle> RecordThisRun(Platform& platform) {
  const std::string program = platform.files.ModulePath();
  const std::string mutex_name = MutexNameOf(program);
  MutexResult mutex = platform.shell.CreateNamedMutex(mutex_name);
  const bool taken = mutex.handle && !mutex.already_existed;
  const std::string record = "run " + program + "\r\ncommand line: " + platform.system.CommandLine() +
                             "\r\ncurrent directory: " + platform.files.CurrentDirectory() + "\r\nmutex " +
                             mutex_name + ": " + (taken ? "taken" : "held by another") + "\r\n";
  OpenResult log =
      platform.files.Open(JoinPath(WindowsDirectory(platform.files), kRecordName), OpenMode::OpenAlways);
  if (!log.file || !log.file->Seek(static_cast<std::int64_t>(log.file->Length())) ||
      log.file->Write(record) != FileError::None)
    return nullptr;
  return std::move(mutex.handle);
}

}  // namespace tvx::game
