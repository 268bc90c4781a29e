// A machine's file system that fails on cue: a read or a write of one
// file at a chosen chunk, a file that shrinks once it was measured, or a
// destination held open by another program.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace tvx::testing {

struct FileFault {
  enum class Kind { None, ReadError, WriteError, Shrink, InUse };
  Kind kind = Kind::None;
  int chunk = 1;  // the read or write that fails, from 1; Shrink: after this many reads
  FileError error = FileError::IoError;
};

class ScriptedFileSystem : public FileSystem {
 public:
  explicit ScriptedFileSystem(FileSystem& inner) : inner_(inner) {}

  // Faults by path, compared without regard to case.
  void Plan(const std::string& path, FileFault fault);
  // Reads of each path, however they ended.
  int ReadsOf(const std::string& path) const;

  OpenResult Open(std::string_view path, OpenMode mode) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override { return inner_.Attributes(path); }
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override;
  FileError MakeDirectory(std::string_view path) override { return inner_.MakeDirectory(path); }
  FileError RemoveEmptyDirectory(std::string_view path) override { return inner_.RemoveEmptyDirectory(path); }
  FileError RemoveFile(std::string_view path) override { return inner_.RemoveFile(path); }
  FileError Rename(std::string_view from, std::string_view to, bool replace_existing) override {
    return inner_.Rename(from, to, replace_existing);
  }
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
  class ScriptedFile;
  const FileFault* FaultOf(std::string_view path) const;

  FileSystem& inner_;
  std::map<std::string, FileFault> faults_;
  std::map<std::string, int> reads_;
};

}  // namespace tvx::testing
