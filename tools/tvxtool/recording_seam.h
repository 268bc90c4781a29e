// The seam of a scratch machine, watched: which file each written file was
// copied from, and the shortcuts and fonts the shell was asked to make.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forwarding_file_system.h"
#include "platform/forwarding_shell.h"

namespace tvx::authoring {

// Forwards every call; a file opened for writing after a file opened for
// reading may be that file's copy: the caller confirms it by their bytes.
class RecordingFileSystem : public ForwardingFileSystem {
 public:
  explicit RecordingFileSystem(FileSystem& inner) : ForwardingFileSystem(inner) {}

  // The source of a written file, by the written file's path as the
  // program named it, folded to lower case.
  const std::map<std::string, std::string>& sources() const { return sources_; }

  OpenResult Open(std::string_view path, OpenMode mode) override;
  FileError RemoveFile(std::string_view path) override;
  FileError Rename(std::string_view from, std::string_view to, bool replace_existing) override;

 private:
  std::string FullPath(std::string_view path);

  std::map<std::string, std::string> sources_;
  std::string last_read_;  // since the last file opened for writing
};

// Forwards every call, and keeps the shortcuts made and the fonts added.
class RecordingShell : public ForwardingShell {
 public:
  explicit RecordingShell(Shell& inner) : ForwardingShell(inner) {}

  const std::vector<ShellLink>& links() const { return links_; }
  const std::vector<std::string>& fonts() const { return fonts_; }

  bool CreateShellLink(const ShellLink& link) override;
  int AddFontFile(std::string_view path) override;

 private:
  std::vector<ShellLink> links_;
  std::vector<std::string> fonts_;
};

}  // namespace tvx::authoring
