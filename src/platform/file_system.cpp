#include "platform/file_system.h"

namespace tvx {

File::CopyResult File::CopyFrom(File& source, std::span<char> buffer) {
  const ReadResult read = source.Read(buffer);
  if (read.error != FileError::None || read.count == 0) return {0, read.error, FileError::None};
  return {read.count, FileError::None, Write({buffer.data(), read.count})};
}

}  // namespace tvx
