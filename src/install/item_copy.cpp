#include "install/item_copy.h"

#include "install/font_registration.h"
#include "install/shared_count.h"
#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx {
namespace {

bool EndsWithDll(std::string_view name) {
  return name.size() >= 3 && EqualsNoCase(name.substr(name.size() - 3), "dll");
}

}  // namespace

std::int64_t BlocksOf(std::uint64_t bytes) {
  return static_cast<std::int64_t>(bytes / 512 + (bytes % 512 ? 1 : 0));
}

ItemCopy::ItemCopy(Platform& platform, const CopyItem& item, const CopyPaths& paths)
    : platform_(platform), item_(item), paths_(paths) {}

bool ItemCopy::SourceExists() { return platform_.files.Open(paths_.source, OpenMode::Read).file != nullptr; }

std::int64_t ItemCopy::SourceSizeBlocks() {
  source_length_.reset();
  const OpenResult source = platform_.files.Open(paths_.source, OpenMode::Read);
  if (!source.file) return 0;
  source_length_ = source.file->Length();
  return BlocksOf(*source_length_);
}

bool ItemCopy::OpenForCopy() {
  if (!CreateDirectoryChain(platform_.files, UpToLastBackslash(paths_.destination))) return false;
  if (!OpenFiles() && !item_.font) return false;
  if (EndsWithDll(item_.source_name))
    IncrementSharedCount(platform_.registry, platform_.ui, kSharedDllsKey, paths_.destination);
  return true;
}

void ItemCopy::CountKeptLibrary() {
  if (EndsWithDll(item_.source_name) && FileExists(platform_.files, paths_.destination))
    IncrementSharedCount(platform_.registry, platform_.ui, kSharedDllsKey, paths_.destination);
}

bool ItemCopy::OpenFiles() {
  FileSystem& files = platform_.files;
  if (files.Attributes(paths_.destination) &&
      files.SetAttributes(paths_.destination, attribute::kNormal) != FileError::None && item_.font)
    return false;
  source_ = files.Open(paths_.source, OpenMode::Read).file;
  // Without a source the destination is left as it is: truncating it
  // would destroy an installed file for nothing.
  if (!source_) return false;
  destination_ = files.Open(paths_.destination, OpenMode::CreateAlways).file;
  if (!destination_) source_.reset();
  return destination_ != nullptr;
}

std::int64_t ItemCopy::CopyChunk(std::span<char> buffer) {
  if (!source_ || !destination_) return item_.font ? BlocksOf(source_length_.value_or(0)) : 0;
  const File::CopyResult moved =
      destination_->CopyFrom(*source_, buffer.first(std::min(buffer.size(), kCopyChunkBytes)));
  // A read error, or the end of a file that shrank since it was measured:
  // the position would never reach the size.
  if (moved.read_error != FileError::None || moved.count == 0) {
    failure_ = moved.read_error == FileError::DiskFull ? ChunkFailure::DiskFull : ChunkFailure::ReadFailed;
    return 0;
  }
  if (moved.write_error != FileError::None) {
    failure_ = moved.write_error == FileError::DiskFull ? ChunkFailure::DiskFull : ChunkFailure::WriteFailed;
    return 0;
  }
  copied_bytes_ += moved.count;
  return BlocksOf(copied_bytes_);
}

bool ItemCopy::Finish() {
  const FileError written = destination_ ? destination_->Finish() : FileError::None;
  if (written == FileError::None) return true;
  failure_ = written == FileError::DiskFull ? ChunkFailure::DiskFull : ChunkFailure::WriteFailed;
  return false;
}

void ItemCopy::Close() {
  source_.reset();
  destination_.reset();
}

void ItemCopy::Discard() {
  const bool written = destination_ != nullptr;
  Close();
  if (written) platform_.files.RemoveFile(paths_.destination);
}

void ItemCopy::CloseCopy() {
  Close();
  if (item_.font) RegisterFont(platform_.shell, platform_.registry, paths_.destination, item_.font_name);
}

}  // namespace tvx
