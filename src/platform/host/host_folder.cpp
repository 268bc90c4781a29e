#include "platform/host/host_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/path_text.h"

namespace tvx::host {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

}  // namespace

HostFolder HostFolder::OpenNamed(const std::filesystem::path& path) {
  return HostFolder(::open(path.c_str(), kFolderFlags));
}

HostFolder HostFolder::Child(const std::string& name) const {
  return HostFolder(::openat(fd_.get(), name.c_str(), kFolderFlags | O_NOFOLLOW));
}

EntryStatus HostFolder::Status(const std::string& name) const {
  struct stat status {};
  if (::fstatat(fd_.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return {};
  EntryStatus entry;
  entry.exists = true;
  entry.is_directory = S_ISDIR(status.st_mode);
  entry.reachable = entry.is_directory || S_ISREG(status.st_mode);
  entry.writable = (status.st_mode & S_IWUSR) != 0;
  entry.mode = status.st_mode & 07777;
  entry.size = entry.is_directory ? 0 : static_cast<std::uint64_t>(status.st_size);
  return entry;
}

std::optional<std::string> HostFolder::FindNoCase(const std::string& name) const {
  if (Status(name).exists) return name;
  for (std::string& candidate : Names())
    if (EqualsNoCase(candidate, name)) return std::move(candidate);
  return std::nullopt;
}

std::vector<std::string> HostFolder::Names() const {
  std::vector<std::string> names;
  // A descriptor of its own: reading the listing moves the position.
  const int listing = ::openat(fd_.get(), ".", kFolderFlags);
  if (listing < 0) return names;
  DIR* folder = ::fdopendir(listing);
  if (!folder) {
    ::close(listing);
    return names;
  }
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(folder);
  return names;
}

}  // namespace tvx::host
