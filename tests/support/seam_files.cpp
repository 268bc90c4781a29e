#include "support/seam_files.h"

#include <gtest/gtest.h>

#include "platform/file_services.h"

namespace tvx::testing {

void WriteFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  OpenResult opened = files.Open(path, OpenMode::CreateAlways);
  ASSERT_TRUE(opened.file) << path << ": " << FileErrorName(opened.error);
  ASSERT_EQ(opened.file->Write(bytes), FileError::None) << path;
}

std::string ReadFile(FileSystem& files, const std::string& path) {
  std::string contents;
  const FileError error = ReadWholeFile(files, path, contents);
  if (error == FileError::None) return contents;
  std::string failure = "<";  // built in steps: GCC 12 warns wrongly on "<" + std::string
  failure += FileErrorName(error);
  return failure + ">";
}

bool Exists(FileSystem& files, const std::string& path) { return files.Attributes(path).has_value(); }

}  // namespace tvx::testing
