// The file system as the program sees it: Windows paths in, results out.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_types.h"

namespace tvx {

// An open file; closed when destroyed.
class File {
 public:
  struct ReadResult {
    std::size_t count = 0;  // 0 at end of file
    FileError error = FileError::None;
  };

  virtual ~File() = default;
  virtual ReadResult Read(std::span<char> buffer) = 0;
  // Writes everything or reports why not; after DiskFull part of the data
  // may have reached the file, as on a real disk.
  virtual FileError Write(std::string_view data) = 0;
  virtual bool Seek(std::int64_t offset) = 0;    // from the start
  virtual bool Skip(std::int64_t distance) = 0;  // from the current position
  virtual std::uint64_t Length() = 0;
  // Pushes written data to the disk (FlushFileBuffers / fsync).
  virtual FileError Flush() = 0;
  // Writes what a backend still holds back of earlier writes, and the error
  // they met. A backend may hold back any write but a file's first until
  // then, or until the file is read, moved, measured or flushed; one
  // destroyed without it writes them but can tell nobody that they failed.
  virtual FileError Finish() { return FileError::None; }

  struct CopyResult {
    std::size_t count = 0;  // 0 at the source's end
    FileError read_error = FileError::None;
    FileError write_error = FileError::None;
  };
  // Moves up to buffer.size() bytes from the source's position to this
  // file's, as a Read into the buffer and a Write of what it gave. A
  // backend may move them without the buffer, under the same rules of
  // holding back as Write.
  virtual CopyResult CopyFrom(File& source, std::span<char> buffer);
};

enum class OpenMode {
  Read,           // existing file, read only, others may read and write
  WriteExisting,  // existing file, for writing, no creation, no truncation
  CreateAlways,   // create or truncate, for writing
  OpenAlways,     // create when missing, keep contents, for reading and writing
};

struct OpenResult {
  std::unique_ptr<File> file;
  FileError error = FileError::None;
};

struct FindResult {
  std::vector<FindEntry> entries;  // includes "." and ".." for a directory
  FileError error = FileError::None;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual OpenResult Open(std::string_view path, OpenMode mode) = 0;
  // Attributes of a file or directory; nullopt when it does not exist.
  virtual std::optional<std::uint32_t> Attributes(std::string_view path) = 0;
  virtual FileError SetAttributes(std::string_view path, std::uint32_t attributes) = 0;
  virtual FileError MakeDirectory(std::string_view path) = 0;
  virtual FileError RemoveEmptyDirectory(std::string_view path) = 0;
  virtual FileError RemoveFile(std::string_view path) = 0;
  // Renames a file; with replace_existing an existing target is replaced in
  // one step and the change reaches the disk before the call returns.
  virtual FileError Rename(std::string_view from, std::string_view to, bool replace_existing) = 0;
  // Every name matching the pattern's last component, in the platform's
  // order; wildcards "*" and "?" as the platform understands them.
  virtual FindResult Find(std::string_view pattern) = 0;

  virtual FileError ChangeDirectory(std::string_view path) = 0;
  virtual std::string CurrentDirectory() = 0;

  // Drive roots such as "C:\", in drive-letter order.
  virtual std::vector<std::string> LogicalDrives() = 0;
  virtual DriveType DriveKind(std::string_view root) = 0;
  // The volume label, possibly empty; nullopt when the volume cannot be read.
  virtual std::optional<std::string> VolumeLabel(std::string_view root) = 0;
  virtual std::optional<DiskSpace> FreeSpace(std::string_view root) = 0;

  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  // Full path of the running program (GetModuleFileNameA).
  virtual std::string ModulePath() = 0;
};

}  // namespace tvx
