// A host folder inside a machine, opened without following a symbolic
// link: everything under drives/ is reached one name at a time from here,
// so a link placed in the machine can never lead outside it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/unique_fd.h"

namespace tvx::host {

// An entry of a folder as it is, a link seen as a link.
struct EntryStatus {
  bool exists = false;
  // Only files and folders can be reached: a link, a device or a pipe
  // cannot (a pipe would make a read wait forever).
  bool reachable = false;
  bool is_directory = false;
  bool writable = false;  // the owner's write bit
  std::uint32_t mode = 0;
  std::uint64_t size = 0;
};

class HostFolder {
 public:
  HostFolder() = default;
  // Opens a folder named by the user, links along its path followed.
  static HostFolder OpenNamed(const std::filesystem::path& path);

  explicit operator bool() const { return fd_.valid(); }
  int fd() const { return fd_.get(); }

  // A subfolder; none when it is missing, not a folder or a link (errno
  // tells which).
  HostFolder Child(const std::string& name) const;
  EntryStatus Status(const std::string& name) const;
  // The entry whose name equals the given one without regard to ASCII
  // case; an exact match wins over a folded one.
  std::optional<std::string> FindNoCase(const std::string& name) const;
  // The names of the entries, "." and ".." left out.
  std::vector<std::string> Names() const;

 private:
  explicit HostFolder(int fd) : fd_(fd) {}
  UniqueFd fd_;
};

}  // namespace tvx::host
