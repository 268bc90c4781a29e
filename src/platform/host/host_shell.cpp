#include "platform/host/host_shell.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace tvx::host {
namespace {

class LockFileMutex : public MutexHandle {
 public:
  explicit LockFileMutex(int fd) : fd_(fd) {}
  ~LockFileMutex() override { ::close(fd_); }

 private:
  int fd_;
};

// Mutex names are case-sensitive and may hold any character: keep letters
// and digits, escape the rest.
std::string LockFileName(std::string_view name) {
  std::string file;
  for (unsigned char c : name) {
    if (std::isalnum(c) || c == '.' || c == '-' || c == '_') {
      file += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      file += escaped;
    }
  }
  return file + ".lock";
}

}  // namespace

std::string HostShell::SpecialFolderPath(SpecialFolder folder) {
  const auto found = profile_.special_folders.find(folder);
  return found == profile_.special_folders.end() ? std::string() : found->second;
}

bool HostShell::OpenDocument(std::string_view target) {
  journal_.Record("open", target);
  return true;
}

MutexResult HostShell::CreateNamedMutex(std::string_view name) {
  const std::filesystem::path folder = machine_folder_ / "mutexes";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const int fd = ::open((folder / LockFileName(name)).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return {};
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    // Another holder has it: like Windows, hand back a handle all the same.
    return {std::make_unique<LockFileMutex>(fd), true};
  }
  return {std::make_unique<LockFileMutex>(fd), false};
}

}  // namespace tvx::host
