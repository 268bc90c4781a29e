// A machine's file system that fails on cue: a read or a write of one
// file at a chosen chunk, a file that shrinks once it was measured, or a
// destination held open by another program.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/forwarding_file_system.h"

namespace tvx::testing {

struct FileFault {
  // FinishError: the bytes a backend held back fail when they are finished.
  enum class Kind { None, ReadError, WriteError, Shrink, InUse, FinishError };
  Kind kind = Kind::None;
  int chunk = 1;  // the read or write that fails, from 1; Shrink: after this many reads
  FileError error = FileError::IoError;
};

class ScriptedFileSystem : public ForwardingFileSystem {
 public:
  explicit ScriptedFileSystem(FileSystem& inner) : ForwardingFileSystem(inner) {}

  // Faults by path, compared without regard to case.
  void Plan(const std::string& path, FileFault fault);
  // Reads of each path, however they ended.
  int ReadsOf(const std::string& path) const;

  OpenResult Open(std::string_view path, OpenMode mode) override;
  FileError SetAttributes(std::string_view path, std::uint32_t attributes) override;

 private:
  class ScriptedFile;
  const FileFault* FaultOf(std::string_view path) const;

  std::map<std::string, FileFault> faults_;
  std::map<std::string, int> reads_;
};

}  // namespace tvx::testing
