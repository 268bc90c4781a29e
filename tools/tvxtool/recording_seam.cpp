#include "recording_seam.h"

#include "platform/path_text.h"

namespace tvx::authoring {
namespace {

bool HasDrive(std::string_view path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }

}  // namespace

std::string RecordingFileSystem::FullPath(std::string_view path) {
  if (HasDrive(path)) return AsciiLower(path);
  return AsciiLower(JoinPath(inner().CurrentDirectory(), path));
}

OpenResult RecordingFileSystem::Open(std::string_view path, OpenMode mode) {
  OpenResult result = inner().Open(path, mode);
  if (!result.file) return result;
  if (mode == OpenMode::Read) {
    last_read_ = std::string(path);
    return result;
  }
  const std::string written = FullPath(path);
  if (!last_read_.empty())
    sources_[written] = last_read_;
  else
    sources_.erase(written);
  last_read_.clear();
  return result;
}

FileError RecordingFileSystem::RemoveFile(std::string_view path) {
  const FileError error = inner().RemoveFile(path);
  if (error == FileError::None) sources_.erase(FullPath(path));
  return error;
}

FileError RecordingFileSystem::Rename(std::string_view from, std::string_view to, bool replace_existing) {
  const FileError error = inner().Rename(from, to, replace_existing);
  if (error != FileError::None) return error;
  const auto found = sources_.find(FullPath(from));
  if (found == sources_.end()) {
    sources_.erase(FullPath(to));
    return error;
  }
  std::string source = found->second;
  sources_.erase(found);
  sources_[FullPath(to)] = std::move(source);
  return error;
}

bool RecordingShell::CreateShellLink(const ShellLink& link) {
  const bool made = inner().CreateShellLink(link);
  if (made) links_.push_back(link);
  return made;
}

int RecordingShell::AddFontFile(std::string_view path) {
  fonts_.emplace_back(path);
  return inner().AddFontFile(path);
}

}  // namespace tvx::authoring
