// The seam of a scratch machine, watched: which file each written file was
// copied from, and the shortcuts and fonts the shell was asked to make.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace tvx::authoring {

// Forwards every call; a file opened for writing after a file opened for
// reading may be that file's copy: the caller confirms it by their bytes.
class RecordingFileSystem : public FileSystem {
 public:
  explicit RecordingFileSystem(FileSystem& inner) : inner_(inner) {}

  // The source of a written file, by the written file's path as the
  // program named it, folded to lower case.
  const std::map<std::string, std::string>& sources() const { return sources_; }

  OpenResult Open(std::string_view path, OpenMode mode) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override { return inner_.Attributes(path); }
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
  FileError MakeDirectory(std::string_view path) override { return inner_.MakeDirectory(path); }
  FileError RemoveEmptyDirectory(std::string_view path) override { return inner_.RemoveEmptyDirectory(path); }
  FileError RemoveFile(std::string_view path) override;
  FileError Rename(std::string_view from, std::string_view to, bool replace_existing) override;
  FindResult Find(std::string_view pattern) override { return inner_.Find(pattern); }
  FileError ChangeDirectory(std::string_view path) override { return inner_.ChangeDirectory(path); }
  std::string CurrentDirectory() override { return inner_.CurrentDirectory(); }
  std::vector<std::string> LogicalDrives() override { return inner_.LogicalDrives(); }
  DriveType DriveKind(std::string_view root) override { return inner_.DriveKind(root); }
  std::optional<std::string> VolumeLabel(std::string_view root) override { return inner_.VolumeLabel(root); }
  std::optional<DiskSpace> FreeSpace(std::string_view root) override { return inner_.FreeSpace(root); }
  std::string WindowsDirectory() override { return inner_.WindowsDirectory(); }
  std::string SystemDirectory() override { return inner_.SystemDirectory(); }
  std::string ModulePath() override { return inner_.ModulePath(); }

 private:
  std::string FullPath(std::string_view path);

  FileSystem& inner_;
  std::map<std::string, std::string> sources_;
  std::string last_read_;  // since the last file opened for writing
};

// Forwards every call, and keeps the shortcuts made and the fonts added.
class RecordingShell : public Shell {
 public:
  explicit RecordingShell(Shell& inner) : inner_(inner) {}

  const std::vector<ShellLink>& links() const { return links_; }
  const std::vector<std::string>& fonts() const { return fonts_; }

  std::string SpecialFolderPath(SpecialFolder folder) override { return inner_.SpecialFolderPath(folder); }
  bool OpenDocument(std::string_view target) override { return inner_.OpenDocument(target); }
  MutexResult CreateNamedMutex(std::string_view name) override { return inner_.CreateNamedMutex(name); }
  std::unique_ptr<LoadedLibrary> OpenLibrary(std::string_view name) override {
    return inner_.OpenLibrary(name);
  }
  bool BringProcessWindowToFront(std::string_view executable_name) override {
    return inner_.BringProcessWindowToFront(executable_name);
  }
  std::uint32_t StartProgram(std::string_view command_line, int show_state) override {
    return inner_.StartProgram(command_line, show_state);
  }
  std::optional<std::int32_t> RunProgramAndWait(std::string_view program,
                                                std::string_view argument) override {
    return inner_.RunProgramAndWait(program, argument);
  }
  bool RequestRestart() override { return inner_.RequestRestart(); }
  ElevationAnswer RestartElevated(std::string_view parameters) override {
    return inner_.RestartElevated(parameters);
  }
  bool ClaimElevatedRestart() override { return inner_.ClaimElevatedRestart(); }
  std::optional<std::uint32_t> WaitForElevatedCopy() override { return inner_.WaitForElevatedCopy(); }
  bool StartAsDesktopUser(std::string_view program, std::string_view parameters,
                          std::string_view directory) override {
    return inner_.StartAsDesktopUser(program, parameters, directory);
  }
  bool CreateShellLink(const ShellLink& link) override;
  int AddFontFile(std::string_view path) override;
  void BroadcastFontChange() override { inner_.BroadcastFontChange(); }

 private:
  Shell& inner_;
  std::vector<ShellLink> links_;
  std::vector<std::string> fonts_;
};

}  // namespace tvx::authoring
