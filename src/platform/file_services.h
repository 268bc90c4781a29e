// Path, directory and whole-file operations shared by the product registry,
// the installer and the uninstaller. None shows a message; several change
// the current directory and leave it changed, which callers accept.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tvx {

std::string WindowsDirectory(FileSystem& files);
std::string SystemDirectory(FileSystem& files);
// The running program's folder: its full path up to the last "\".
std::string ProgramDirectory(FileSystem& files);

// True when the directory exists afterwards; missing parents are created
// from the top down.
bool CreateDirectoryChain(FileSystem& files, std::string_view directory);
// Replaces the destination, read-only or not; times and attributes of the
// source are not carried over.
bool CopyWholeFile(FileSystem& files, std::string_view source, std::string_view destination);
// Copies every file matching the pattern; stops at the first failure.
bool CopyMatchingFiles(FileSystem& files, std::string_view source_directory,
                       std::string_view destination_directory, std::string_view pattern);
// Deletes a file only when it can be opened for writing.
bool DeleteFileIfWritable(FileSystem& files, std::string_view path);
bool DeleteMatching(FileSystem& files, std::string_view directory, std::string_view pattern);
bool DeleteDirectoryFiles(FileSystem& files, std::string_view directory);
void DeleteTree(FileSystem& files, std::string_view directory);
void DeleteMatchingInTree(FileSystem& files, std::string_view pattern, std::string_view directory);
// Removes the directory and then each parent that became empty, never the
// drive root.
void RemoveEmptyDirectoryChain(FileSystem& files, std::string_view directory);
// Removes the empty parents of a path, stopping at the first that stays.
void RemoveEmptyParents(FileSystem& files, std::string_view path);

// Whole-file helpers for readers of small files.
FileError ReadWholeFile(FileSystem& files, std::string_view path, std::string& contents);
bool FileExists(FileSystem& files, std::string_view path);
bool IsDirectory(FileSystem& files, std::string_view path);

}  // namespace tvx
