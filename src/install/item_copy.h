// One item of a copy: its two files from opening to closing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "install/copy_paths.h"
#include "platform/platform.h"

namespace tvx {

// Why a chunk could not be copied.
enum class ChunkFailure {
  None,
  DiskFull,
  // The source could not be read to the size it had when it was measured:
  // a read error, or a file that shrank meanwhile.
  ReadFailed,
  WriteFailed,
};

// Bytes a chunk of a copy moves at most.
inline constexpr std::size_t kCopyChunkBytes = 25600;

class ItemCopy {
 public:
  ItemCopy(Platform& platform, const CopyItem& item, const CopyPaths& paths);
  ItemCopy(const ItemCopy&) = delete;
  ItemCopy& operator=(const ItemCopy&) = delete;

  bool SourceExists();
  // The source's size in 512-byte blocks, a part block counting whole; 0
  // when it cannot be opened (see SourceReadable).
  std::int64_t SourceSizeBlocks();
  // Whether the last sizing opened the source.
  bool SourceReadable() const { return source_length_.has_value(); }

  // Makes the destination's folders, opens both files and counts a library
  // ("dll" at the end of the source name). A font whose files cannot be
  // opened counts as done: its file is in use. False when it cannot copy.
  bool OpenForCopy();
  // Copies one chunk through the buffer; the position reached in the
  // source in blocks, 0 on failure (see failure()). An item without open
  // files answers its whole size when it is a font, else 0.
  std::int64_t CopyChunk(std::span<char> buffer);
  // Writes what the destination still holds back, once the last chunk is
  // copied; false on failure (see failure()).
  bool Finish();
  // Counts this product as one more user of a library left in place (one
  // at least as new, or in use) when it is there.
  void CountKeptLibrary();
  // Closes both files; a font is then registered with the system.
  void CloseCopy();
  // Closes both files, as a copy that stopped.
  void Close();
  // Closes both files and deletes the part written: a half-copied file,
  // above all a library in the system folder, is worse than none.
  void Discard();
  ChunkFailure failure() const { return failure_; }

 private:
  bool OpenFiles();

  Platform& platform_;
  const CopyItem& item_;
  const CopyPaths& paths_;
  std::unique_ptr<File> source_;
  std::unique_ptr<File> destination_;
  std::optional<std::uint64_t> source_length_;
  std::uint64_t copied_bytes_ = 0;
  ChunkFailure failure_ = ChunkFailure::None;
};

// Blocks of 512 bytes a length takes, a part block counting whole.
std::int64_t BlocksOf(std::uint64_t bytes);

}  // namespace tvx
