// An open file of a simulated machine, and the room its drive has left.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/host/machine_profile.h"
#include "platform/host/simulated_clock.h"
#include "platform/host/unique_fd.h"

namespace tvx::host {

FileError FileErrorFromErrno(int error);

// Bytes held as files on one drive, counted lazily and kept up to date by
// the writes of this process.
class DriveUsage {
 public:
  DriveUsage(const DriveProfile& drive, std::filesystem::path folder);
  std::uint64_t FreeBytes();
  void Recount();
  void Grow(std::uint64_t bytes);
  void Shrink(std::uint64_t bytes);
  const DriveProfile& drive() const { return drive_; }

 private:
  const DriveProfile& drive_;
  std::filesystem::path folder_;
  std::optional<std::uint64_t> bytes_in_files_;
};

// How long reads take on a drive: nothing when it has no read speed.
struct ReadPace {
  SimulatedClock* clock = nullptr;
  std::uint32_t kb_per_second = 0;

  void Charge(std::uint64_t bytes) const {
    if (clock && kb_per_second)
      clock->Advance(bytes * SimulatedClock::kTicksPerSecond / 1024 / kb_per_second);
  }
};

// Writes are charged to the drive's capacity; a file opened for reading
// has no usage. Writes after a file's first are held back (see File), as
// bytes or, when they come from another file of the machine, as the range
// to copy in the kernel.
class HostFile : public File {
 public:
  HostFile(UniqueFd fd, DriveUsage* usage, ReadPace pace) : fd_(std::move(fd)), usage_(usage), pace_(pace) {}
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;
  ~HostFile() override { WriteBack(); }

  ReadResult Read(std::span<char> buffer) override;
  FileError Write(std::string_view data) override;
  bool Seek(std::int64_t offset) override;
  bool Skip(std::int64_t distance) override;
  std::uint64_t Length() override;
  FileError Flush() override;
  FileError Finish() override { return WriteBack(); }
  CopyResult CopyFrom(File& source, std::span<char> buffer) override;

 private:
  // A part of another file still to be copied to this file's end.
  struct PendingCopy {
    UniqueFd source;
    std::int64_t from = 0;
    std::uint64_t length = 0;
    // Which file the source is: a chunk continues the copy only from it.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
  };

  std::uint64_t HostLength();
  FileError WriteBack();
  FileError WriteHeld(bool all);
  FileError CopyPending();
  FileError CopyThroughBuffer(int source, std::int64_t from, std::uint64_t length);
  FileError WriteThrough(std::string_view data);
  FileError WriteAll(std::string_view data);

  UniqueFd fd_;
  DriveUsage* usage_;
  ReadPace pace_;
  bool wrote_ = false;
  std::string held_;  // written after what the host file has
  PendingCopy pending_;
};

}  // namespace tvx::host
