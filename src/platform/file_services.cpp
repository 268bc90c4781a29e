#include "platform/file_services.h"

#include <vector>

#include "platform/path_text.h"

namespace tvx {
namespace {

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

std::string DriveRootOf(std::string_view path) { return std::string(path.substr(0, 3)); }

}  // namespace

std::string WindowsDirectory(FileSystem& files) { return files.WindowsDirectory(); }

std::string SystemDirectory(FileSystem& files) { return files.SystemDirectory(); }

std::string ProgramDirectory(FileSystem& files) { return std::string(UpToLastBackslash(files.ModulePath())); }

bool CreateDirectoryChain(FileSystem& files, std::string_view directory) {
  // Walk up until a directory exists or can be made, then create the rest
  // from the top down. A loop, not recursion: the path comes from the user.
  std::vector<std::string> missing;
  std::string current(directory);
  bool base_exists = false;
  while (!current.empty()) {
    if (files.ChangeDirectory(current) == FileError::None ||
        files.MakeDirectory(current) == FileError::None) {
      base_exists = true;
      break;
    }
    missing.push_back(current);
    current = std::string(UpToLastBackslash(current));
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) files.MakeDirectory(*it);
  // A parent that exists does not prove the leaf was made.
  return base_exists && IsDirectory(files, directory);
}

bool CopyWholeFile(FileSystem& files, std::string_view source, std::string_view destination) {
  std::string contents;
  if (ReadWholeFile(files, source, contents) != FileError::None) return false;
  if (files.Attributes(destination)) files.SetAttributes(destination, attribute::kNormal);
  OpenResult target = files.Open(destination, OpenMode::CreateAlways);
  if (!target.file) return false;
  return target.file->Write(contents) == FileError::None;
}

bool CopyMatchingFiles(FileSystem& files, std::string_view source_directory,
                       std::string_view destination_directory, std::string_view pattern) {
  const FindResult found = files.Find(JoinPath(source_directory, pattern));
  for (const FindEntry& entry : found.entries) {
    if (IsDotEntry(entry.name)) continue;
    if (!CopyWholeFile(files, JoinPath(source_directory, entry.name),
                       JoinPath(destination_directory, entry.name)))
      return false;
  }
  return true;
}

bool DeleteFileIfWritable(FileSystem& files, std::string_view path) {
  if (!files.Open(path, OpenMode::WriteExisting).file) return false;
  files.SetAttributes(path, attribute::kNormal);
  return files.RemoveFile(path) == FileError::None;
}

bool DeleteMatching(FileSystem& files, std::string_view directory, std::string_view pattern) {
  bool all_deleted = true;
  for (const FindEntry& entry : files.Find(JoinPath(directory, pattern)).entries) {
    if (!DeleteFileIfWritable(files, JoinPath(directory, entry.name))) all_deleted = false;
  }
  return all_deleted;
}

bool DeleteDirectoryFiles(FileSystem& files, std::string_view directory) {
  DeleteMatching(files, directory, "*.*");
  return files.RemoveEmptyDirectory(directory) == FileError::None;
}

void DeleteTree(FileSystem& files, std::string_view directory) {
  for (const FindEntry& entry : files.Find(JoinPath(directory, "*.*")).entries) {
    if (IsDotEntry(entry.name)) continue;
    const std::string path = JoinPath(directory, entry.name);
    if (files.ChangeDirectory(path) == FileError::None) {
      files.ChangeDirectory(directory);
      DeleteTree(files, path);
    } else {
      DeleteFileIfWritable(files, path);
    }
  }
  // Windows will not remove the current directory: step out to the root.
  files.ChangeDirectory(DriveRootOf(directory));
  files.RemoveEmptyDirectory(directory);
}

void DeleteMatchingInTree(FileSystem& files, std::string_view pattern, std::string_view directory) {
  DeleteMatching(files, directory, pattern);
  RemoveEmptyDirectoryChain(files, directory);
  for (const FindEntry& entry : files.Find(JoinPath(directory, "*.*")).entries) {
    if (IsDotEntry(entry.name)) continue;
    const std::string path = JoinPath(directory, entry.name);
    if (files.ChangeDirectory(path) == FileError::None) DeleteMatchingInTree(files, pattern, path);
  }
}

void RemoveEmptyDirectoryChain(FileSystem& files, std::string_view directory) {
  const std::string root = DriveRootOf(directory);
  std::string_view path = WithoutFinalBackslash(directory);
  while (path.find('\\') != std::string_view::npos) {
    files.ChangeDirectory(root);
    files.RemoveEmptyDirectory(path);
    path = UpToLastBackslash(path);
  }
}

void RemoveEmptyParents(FileSystem& files, std::string_view path) {
  const std::string root = DriveRootOf(path);
  std::string_view parent = UpToLastBackslash(WithoutFinalBackslash(path));
  while (parent.find('\\') != std::string_view::npos) {
    files.ChangeDirectory(root);
    if (files.RemoveEmptyDirectory(parent) != FileError::None) return;
    parent = UpToLastBackslash(parent);
  }
}

FileError ReadWholeFile(FileSystem& files, std::string_view path, std::string& contents) {
  OpenResult opened = files.Open(path, OpenMode::Read);
  if (!opened.file) return opened.error;
  contents.clear();
  char buffer[65536];
  for (;;) {
    const File::ReadResult read = opened.file->Read(buffer);
    if (read.error != FileError::None) return read.error;
    if (read.count == 0) return FileError::None;
    contents.append(buffer, read.count);
  }
}

bool FileExists(FileSystem& files, std::string_view path) {
  const auto attributes = files.Attributes(path);
  return attributes && (*attributes & attribute::kDirectory) == 0;
}

bool IsDirectory(FileSystem& files, std::string_view path) {
  const auto attributes = files.Attributes(path);
  return attributes && (*attributes & attribute::kDirectory) != 0;
}

}  // namespace tvx
