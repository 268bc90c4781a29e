#include "platform/host/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/host/unique_fd.h"

namespace tvx::host {
namespace {

bool WriteAndSync(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t count = ::write(fd, contents.data(), contents.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(count));
  }
  return ::fsync(fd) == 0;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view contents) {
  std::filesystem::path temporary = target;
  temporary += ".tmp" + std::to_string(::getpid());
  // Made afresh, never opened: a link left under that name would take the
  // write somewhere else.
  ::unlink(temporary.c_str());
  UniqueFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!file) return false;
  const bool written = WriteAndSync(file.get(), contents) && file.Close();
  if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  const UniqueFd folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder) ::fsync(folder.get());
  return true;
}

bool ReadHostFile(const std::filesystem::path& path, std::string& contents) {
  std::error_code status;
  return std::filesystem::is_regular_file(path, status) && ReadHostStream(path, contents);
}

bool ReadHostStream(const std::filesystem::path& path, std::string& contents) {
  // A folder opens as an empty stream here: it is nothing to read.
  std::error_code status;
  if (std::filesystem::is_directory(path, status)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  contents = buffer.str();
  return true;
}

}  // namespace tvx::host
