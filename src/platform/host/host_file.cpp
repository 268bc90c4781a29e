#include "platform/host/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

namespace tvx::host {
namespace fs = std::filesystem;

namespace {

std::uint64_t SizeOfFilesUnder(const fs::path& folder) {
  std::uint64_t total = 0;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it);
       it.increment(error)) {
    // A link is not followed: what it points at is not on the drive.
    std::error_code size_error;
    if (it->symlink_status(size_error).type() == fs::file_type::regular) total += it->file_size(size_error);
  }
  return total;
}

// Writes after a file's first are gathered to this many bytes and written
// up to a 64 KiB boundary of the file: the copy's 25,600-byte chunks cost
// the host about twice as much written one by one.
constexpr std::size_t kHeldBytes = 256 * 1024;
constexpr std::uint64_t kWriteAlignment = 64 * 1024;
// Chunks copied from another file are gathered to this many bytes, then
// copied by the kernel without passing through the program.
constexpr std::uint64_t kPendingBytes = 1024 * 1024;

// The kernel cannot copy between these files: the bytes go through a buffer.
bool KernelCannotCopy(int error) {
  return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

}  // namespace

FileError FileErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return FileError::NotFound;
    case ENOTDIR:
      return FileError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case ELOOP:  // a link where O_NOFOLLOW met it
      return FileError::AccessDenied;
    case EEXIST:
      return FileError::AlreadyExists;
    case ENOTEMPTY:
      return FileError::DirectoryNotEmpty;
    case ENOSPC:
    case EDQUOT:
      return FileError::DiskFull;
    case ENAMETOOLONG:
      return FileError::InvalidName;
    default:
      return FileError::IoError;
  }
}

DriveUsage::DriveUsage(const DriveProfile& drive, fs::path folder)
    : drive_(drive), folder_(std::move(folder)) {}

std::uint64_t DriveUsage::FreeBytes() {
  if (!bytes_in_files_) Recount();
  const std::uint64_t taken = drive_.used + *bytes_in_files_;
  return taken >= drive_.capacity ? 0 : drive_.capacity - taken;
}

void DriveUsage::Recount() { bytes_in_files_ = SizeOfFilesUnder(folder_); }

void DriveUsage::Grow(std::uint64_t bytes) {
  if (bytes_in_files_) *bytes_in_files_ += bytes;
}

void DriveUsage::Shrink(std::uint64_t bytes) {
  if (bytes_in_files_) *bytes_in_files_ -= std::min(bytes, *bytes_in_files_);
}

File::ReadResult HostFile::Read(std::span<char> buffer) {
  if (const FileError held = WriteBack(); held != FileError::None) return {0, held};
  const ssize_t count = ::read(fd_.get(), buffer.data(), buffer.size());
  if (count < 0) return {0, FileError::IoError};
  pace_.Charge(static_cast<std::uint64_t>(count));
  return {static_cast<std::size_t>(count), FileError::None};
}

FileError HostFile::Write(std::string_view data) {
  if (!usage_) return FileError::AccessDenied;
  if (!wrote_) {
    wrote_ = true;
    return WriteThrough(data);
  }
  if (const FileError copied = CopyPending(); copied != FileError::None) return copied;
  // Near a full drive every write is made at once, so that the one that
  // does not fit is told, as on Windows.
  if (held_.size() + data.size() > usage_->FreeBytes()) {
    if (const FileError held = WriteHeld(true); held != FileError::None) return held;
    return WriteThrough(data);
  }
  if (held_.empty()) held_.reserve(kHeldBytes + kWriteAlignment);
  held_.append(data);
  return held_.size() < kHeldBytes ? FileError::None : WriteHeld(false);
}

bool HostFile::Seek(std::int64_t offset) {
  return WriteBack() == FileError::None && offset >= 0 && ::lseek(fd_.get(), offset, SEEK_SET) >= 0;
}

bool HostFile::Skip(std::int64_t distance) {
  if (WriteBack() != FileError::None) return false;
  const off_t position = ::lseek(fd_.get(), 0, SEEK_CUR);
  if (position < 0 || position + distance < 0) return false;
  return ::lseek(fd_.get(), distance, SEEK_CUR) >= 0;
}

std::uint64_t HostFile::Length() {
  WriteBack();
  return HostLength();
}

FileError HostFile::Flush() {
  if (const FileError held = WriteBack(); held != FileError::None) return held;
  return ::fsync(fd_.get()) == 0 ? FileError::None : FileError::IoError;
}

File::CopyResult HostFile::CopyFrom(File& source, std::span<char> buffer) {
  auto* from = dynamic_cast<HostFile*>(&source);
  // The first write is made at once, and a source written to may hold
  // bytes back itself: both go the plain way.
  if (!from || from->usage_ || !usage_ || !wrote_) return File::CopyFrom(source, buffer);
  if (const FileError held = WriteHeld(true); held != FileError::None) return {0, FileError::None, held};
  struct stat status {};
  const off_t position = ::lseek(from->fd_.get(), 0, SEEK_CUR);
  if (position < 0 || ::fstat(from->fd_.get(), &status) != 0) return {0, FileError::IoError, FileError::None};
  if (position >= status.st_size) return {};
  const auto count =
      std::min<std::uint64_t>(buffer.size(), static_cast<std::uint64_t>(status.st_size - position));
  const bool continues = pending_.source && pending_.device == status.st_dev &&
                         pending_.inode == status.st_ino &&
                         pending_.from + static_cast<std::int64_t>(pending_.length) == position;
  if (!continues || pending_.length + count > usage_->FreeBytes()) {
    if (const FileError copied = CopyPending(); copied != FileError::None)
      return {0, FileError::None, copied};
    if (count > usage_->FreeBytes()) return File::CopyFrom(source, buffer);
    pending_ = {UniqueFd(::fcntl(from->fd_.get(), F_DUPFD_CLOEXEC, 0)), position, 0, status.st_dev,
                status.st_ino};
    if (!pending_.source) return File::CopyFrom(source, buffer);
  }
  if (::lseek(from->fd_.get(), static_cast<off_t>(count), SEEK_CUR) < 0)
    return {0, FileError::IoError, FileError::None};
  from->pace_.Charge(count);
  pending_.length += count;
  const FileError copied = pending_.length >= kPendingBytes ? CopyPending() : FileError::None;
  return {static_cast<std::size_t>(count), FileError::None, copied};
}

std::uint64_t HostFile::HostLength() {
  struct stat status {};
  return ::fstat(fd_.get(), &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

FileError HostFile::WriteBack() {
  const FileError copied = CopyPending();
  const FileError held = WriteHeld(true);
  return copied != FileError::None ? copied : held;
}

// All that is held, or only up to the last boundary it passes; what
// could not be written is dropped with its error.
FileError HostFile::WriteHeld(bool all) {
  if (held_.empty()) return FileError::None;
  std::size_t count = held_.size();
  const off_t position = ::lseek(fd_.get(), 0, SEEK_CUR);
  if (!all && position >= 0) {
    const std::uint64_t boundary =
        (static_cast<std::uint64_t>(position) + count) / kWriteAlignment * kWriteAlignment;
    if (boundary > static_cast<std::uint64_t>(position))
      count = static_cast<std::size_t>(boundary - static_cast<std::uint64_t>(position));
  }
  const FileError written = WriteThrough(std::string_view(held_).substr(0, count));
  if (written != FileError::None) count = held_.size();
  held_.erase(0, count);
  return written;
}

// Only what fit on the drive was gathered; a source that shrank since
// leaves the copy short, and that is an error.
FileError HostFile::CopyPending() {
  if (!pending_.source) return FileError::None;
  const PendingCopy pending = std::move(pending_);
  pending_ = {};
  const std::uint64_t size = HostLength();
  loff_t from = pending.from;
  std::uint64_t left = pending.length;
  FileError error = FileError::None;
  while (left > 0 && error == FileError::None) {
    const ssize_t count = ::copy_file_range(pending.source.get(), &from, fd_.get(), nullptr, left, 0);
    if (count > 0) {
      left -= static_cast<std::uint64_t>(count);
    } else if (count < 0 && KernelCannotCopy(errno)) {
      error = CopyThroughBuffer(pending.source.get(), from, left);
      left = 0;
    } else if (count == 0 || errno != EINTR) {
      error = count == 0 ? FileError::IoError : FileErrorFromErrno(errno);
    }
  }
  const std::uint64_t new_size = HostLength();
  if (new_size > size) usage_->Grow(new_size - size);
  return error;
}

FileError HostFile::CopyThroughBuffer(int source, std::int64_t from, std::uint64_t length) {
  std::vector<char> buffer(kWriteAlignment);
  while (length > 0) {
    const ssize_t count =
        ::pread(source, buffer.data(), std::min<std::uint64_t>(length, buffer.size()), from);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return FileError::IoError;
    if (const FileError written = WriteAll({buffer.data(), static_cast<std::size_t>(count)});
        written != FileError::None)
      return written;
    from += count;
    length -= static_cast<std::uint64_t>(count);
  }
  return FileError::None;
}

FileError HostFile::WriteThrough(std::string_view data) {
  const std::uint64_t size = HostLength();
  const auto position = static_cast<std::uint64_t>(::lseek(fd_.get(), 0, SEEK_CUR));
  const std::uint64_t end = position + data.size();
  const std::uint64_t growth = end > size ? end - size : 0;
  const std::uint64_t free = usage_->FreeBytes();
  const bool fits = growth <= free;
  const std::size_t writable = fits ? data.size() : data.size() - static_cast<std::size_t>(growth - free);
  const FileError written = WriteAll(data.substr(0, writable));
  const std::uint64_t new_size = HostLength();
  if (new_size > size) usage_->Grow(new_size - size);
  if (written != FileError::None) return written;
  return fits ? FileError::None : FileError::DiskFull;
}

FileError HostFile::WriteAll(std::string_view data) {
  while (!data.empty()) {
    const ssize_t count = ::write(fd_.get(), data.data(), data.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return FileErrorFromErrno(errno);
    }
    data.remove_prefix(static_cast<std::size_t>(count));
  }
  return FileError::None;
}

}  // namespace tvx::host
