// A file system that hands every call to another, for layers that watch or
// change a few of its calls and leave the rest to the machine's.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tvx {

class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

  OpenResult Open(std::string_view path, OpenMode mode) override { return inner_.Open(path, mode); }
  std::optional<std::uint32_t> Attributes(std::string_view path) override { return inner_.Attributes(path); }
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override {
    return inner_.SetAttributes(path, attributes);
  }
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

 protected:
  FileSystem& inner() { return inner_; }

 private:
  FileSystem& inner_;
};

}  // namespace tvx
