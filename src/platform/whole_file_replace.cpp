// Replacing a file's whole contents in one step.
#include "platform/whole_file_replace.h"

#include "platform/platform_types.h"

namespace tvx {
namespace {

bool WriteAndFlush(FileSystem& files, std::string_view path, std::string_view contents) {
  if (files.Attributes(path)) files.SetAttributes(path, attribute::kNormal);
  OpenResult opened = files.Open(path, OpenMode::CreateAlways);
  if (!opened.file) return false;
  return opened.file->Write(contents) == FileError::None && opened.file->Flush() == FileError::None;
}

}  // namespace

bool ReplaceWholeFile(FileSystem& files, std::string_view path, std::string_view temporary_path,
                      std::string_view contents, bool replace_read_only) {
  if (!WriteAndFlush(files, temporary_path, contents)) {
    files.RemoveFile(temporary_path);
    return false;
  }
  if (replace_read_only && files.Attributes(path)) files.SetAttributes(path, attribute::kNormal);
  if (files.Rename(temporary_path, path, /*replace_existing=*/true) != FileError::None) {
    files.RemoveFile(temporary_path);
    return false;
  }
  return true;
}

}  // namespace tvx
