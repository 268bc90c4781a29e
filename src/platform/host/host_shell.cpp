#include "platform/host/host_shell.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/host/unique_fd.h"
#include "platform/path_text.h"

namespace tvx::host {
namespace {

// Holds the lock file open, and with it the lock when it got one.
class LockFileMutex : public MutexHandle {
 public:
  explicit LockFileMutex(UniqueFd fd) : fd_(std::move(fd)) {}
  LockFileMutex(const LockFileMutex&) = delete;
  LockFileMutex& operator=(const LockFileMutex&) = delete;

 private:
  UniqueFd fd_;
};

// Windows turns an object's ANSI name into a buffer of MAX_PATH + 1 wide
// characters: a longer name fails.
constexpr std::size_t kMaxMutexName = 260;
// Host file names hold 255 bytes; an escaped name may take three per
// character.
constexpr std::size_t kMaxPlainLockName = 200;

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001B3u;
  return hash;
}

// Mutex names are case-sensitive and may hold any character: keep letters
// and digits, escape the rest. A name too long for a host file keeps its
// beginning and a hash of the whole; "~" never appears in a plain one.
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
  if (file.size() > kMaxPlainLockName) {
    char hash[20];
    std::snprintf(hash, sizeof hash, "~%016llX", static_cast<unsigned long long>(Fnv1a(name)));
    file = file.substr(0, kMaxPlainLockName - 50) + hash;
  }
  return file + ".lock";
}

// A library of the profile: the functions it exports and what they answer.
// The vendor libraries that probes load cannot run here; what the program
// learns from them is which functions exist and what they return.
class ProfileLibrary : public LoadedLibrary {
 public:
  ProfileLibrary(const std::map<std::string, std::int32_t>& functions, Journal& journal,
                 HostFileSystem& files)
      : functions_(functions), journal_(journal), files_(files) {}

  bool HasFunction(std::string_view name) override { return functions_.count(std::string(name)) != 0; }
  std::optional<std::uint32_t> CallWithoutArguments(std::string_view name) override { return Answer(name); }
  std::optional<std::uint32_t> CallWithBlock(std::string_view name, std::span<std::byte>) override {
    return Answer(name);
  }
  // Journalled as "call <function> with <first> | <second> | <third>",
  // then "call saw <text>" with what the file named first held at that
  // moment, so that a test sees what the function was given to read.
  // Journalled as "call <function> with flags 0x<flags>".
  std::optional<std::int32_t> CallWithWindowPathAndFlags(std::string_view name, std::string_view path,
                                                         std::uint32_t flags) override {
    const auto answer = Answer(name);
    if (!answer) return std::nullopt;
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", flags);
    journal_.Record("call", std::string(name) + " with " + (path.empty() ? "no path" : std::string(path)) +
                                " and flags 0x" + hex);
    return static_cast<std::int32_t>(*answer);
  }
  std::optional<std::uint32_t> CallWithStrings(std::string_view name, std::string_view first,
                                               std::string_view second, std::string_view third) override {
    const auto answer = Answer(name);
    if (!answer) return std::nullopt;
    journal_.Record("call", std::string(name) + " with " + std::string(first) + " | " + std::string(second) +
                                " | " + std::string(third));
    journal_.Record("call saw", FileText(first));
    return answer;
  }

 private:
  // Up to 1 MiB of the file; "(none)" when it cannot be opened.
  std::string FileText(std::string_view path) {
    OpenResult opened = files_.Open(path, OpenMode::Read);
    if (!opened.file) return "(none)";
    std::string text;
    char buffer[4096];
    while (text.size() < (1u << 20)) {
      const auto read = opened.file->Read(buffer);
      if (read.error != FileError::None || read.count == 0) break;
      text.append(buffer, read.count);
    }
    return text;
  }

  std::optional<std::uint32_t> Answer(std::string_view name) const {
    const auto found = functions_.find(std::string(name));
    if (found == functions_.end()) return std::nullopt;
    return static_cast<std::uint32_t>(found->second);
  }

  const std::map<std::string, std::int32_t>& functions_;
  Journal& journal_;
  HostFileSystem& files_;
};

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
  if (name.size() > kMaxMutexName) return {};
  const std::filesystem::path folder = machine_folder_ / "mutexes";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / LockFileName(name);
  UniqueFd fd(::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!fd) {
    faults_.Add("cannot make the mutex lock file " + file.string() + ": " + std::strerror(errno));
    return {};
  }
  // Another holder has it: like Windows, hand back a handle all the same.
  const bool already_existed = ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0;
  return {std::make_unique<LockFileMutex>(std::move(fd)), already_existed};
}

std::unique_ptr<LoadedLibrary> HostShell::OpenLibrary(std::string_view name) {
  const auto found = profile_.libraries.find(LibraryKey(name));
  if (found == profile_.libraries.end()) return nullptr;
  return std::make_unique<ProfileLibrary>(found->second, journal_, files_);
}

bool HostShell::BringProcessWindowToFront(std::string_view executable_name) {
  bool found = false;
  for (const ProcessProfile& process : profile_.processes) {
    if (!EqualsNoCase(AfterLastBackslash(process.executable), executable_name)) continue;
    found = true;
    if (!process.window.empty()) journal_.Record("front", process.window);
  }
  return found;
}

int HostShell::AddFontFile(std::string_view path) {
  const auto attributes = files_.Attributes(path);
  if (!attributes || (*attributes & attribute::kDirectory)) return 0;
  journal_.Record("font", path);
  return 1;
}

void HostShell::BroadcastFontChange() { journal_.Record("fontchange", "all top-level windows"); }

}  // namespace tvx::host
