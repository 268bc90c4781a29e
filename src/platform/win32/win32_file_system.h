// The real file system through the Win32 ANSI calls.
#pragma once

#include "platform/file_system.h"

namespace tvx::win32 {

FileError FileErrorFromCode(unsigned long code);

class Win32FileSystem : public FileSystem {
 public:
  OpenResult Open(std::string_view path, OpenMode mode) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override;
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override;
  FileError MakeDirectory(std::string_view path) override;
  FileError RemoveEmptyDirectory(std::string_view path) override;
  FileError RemoveFile(std::string_view path) override;
  FileError Rename(std::string_view from, std::string_view to, bool replace_existing) override;
  FindResult Find(std::string_view pattern) override;
  FileError ChangeDirectory(std::string_view path) override;
  std::string CurrentDirectory() override;
  std::vector<std::string> LogicalDrives() override;
  DriveType DriveKind(std::string_view root) override;
  std::optional<std::string> VolumeLabel(std::string_view root) override;
  std::optional<DiskSpace> FreeSpace(std::string_view root) override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string ModulePath() override;
};

}  // namespace tvx::win32
