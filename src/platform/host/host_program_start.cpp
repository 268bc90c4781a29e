// Starting programs on a simulated machine: the program is found as
// WinExec finds it, journalled, and run when it is a host program.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/host_shell.h"
#include "platform/path_text.h"

extern char** environ;

namespace tvx::host {
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kStarted = 33;
constexpr std::uint32_t kNoResources = 0;
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kBadFormat = 11;

enum class ProgramKind { Windows, Host, Other };

struct Candidate {
  std::string path;
  std::uint32_t error = kFileNotFound;  // 0 once found
  ProgramKind kind = ProgramKind::Other;
};

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// What Windows tries as the program: a quoted first word alone; otherwise
// the text up to each blank in turn, then the whole line.
std::vector<std::string> ProgramNames(std::string_view command_line) {
  while (!command_line.empty() && IsBlankOrTab(command_line.front())) command_line.remove_prefix(1);
  if (!command_line.empty() && command_line.front() == '"') {
    const std::size_t end = command_line.find('"', 1);
    return {std::string(command_line.substr(1, end == std::string_view::npos ? end : end - 1))};
  }
  std::vector<std::string> names;
  for (std::size_t i = 0; i < command_line.size(); ++i)
    if (IsBlankOrTab(command_line[i]) && i > 0 && !IsBlankOrTab(command_line[i - 1]))
      names.emplace_back(command_line.substr(0, i));
  if (!command_line.empty() && !IsBlankOrTab(command_line.back())) names.emplace_back(command_line);
  return names;
}

// A name without an extension is looked for with ".exe".
std::string WithExtension(std::string name) {
  if (AfterLastBackslash(name).find('.') == std::string_view::npos) name += ".exe";
  return name;
}

std::uint32_t StartError(FileError error) {
  switch (error) {
    case FileError::NotFound:
      return kFileNotFound;
    case FileError::PathNotFound:
      return kPathNotFound;
    case FileError::AccessDenied:
      return kAccessDenied;
    default:
      return kBadFormat;
  }
}

bool IsHostExecutable(HostFileSystem& files, const std::string& path) {
  const auto host = files.HostPathOf(path);
  std::error_code error;
  const fs::perms permissions = host ? fs::status(*host, error).permissions() : fs::perms::none;
  return !error && (permissions & fs::perms::owner_exec) != fs::perms::none;
}

Candidate Probe(HostFileSystem& files, const std::string& name) {
  Candidate candidate{WithExtension(name)};
  OpenResult opened = files.Open(candidate.path, OpenMode::Read);
  if (!opened.file) {
    candidate.error = StartError(opened.error);
    return candidate;
  }
  char head[4] = {};
  const std::size_t count = opened.file->Read(head).count;
  candidate.error = 0;
  if (count >= 2 && head[0] == 'M' && head[1] == 'Z') {
    candidate.kind = ProgramKind::Windows;
  } else if (count == 4 &&
             std::memcmp(head,
                         "\x7F"
                         "ELF",
                         4) == 0 &&
             IsHostExecutable(files, candidate.path)) {
    candidate.kind = ProgramKind::Host;
  }
  return candidate;
}

// A bare name is also looked for in the system and Windows directories,
// as WinExec does ("Notepad.exe").
Candidate ProbeSearched(HostFileSystem& files, const std::string& name) {
  Candidate found = Probe(files, name);
  if (found.error == 0 || name.find_first_of("\\:") != std::string::npos) return found;
  for (const std::string& folder : {files.SystemDirectory(), files.WindowsDirectory()}) {
    Candidate candidate = Probe(files, JoinPath(folder, name));
    if (candidate.error == 0) return candidate;
  }
  return found;
}

// The first name that is a file wins; when none is, the first one's error.
Candidate FindProgram(HostFileSystem& files, std::string_view command_line) {
  const std::vector<std::string> names = ProgramNames(command_line);
  if (names.empty()) return {};
  Candidate first = ProbeSearched(files, names.front());
  if (first.error == 0) return first;
  for (std::size_t i = 1; i < names.size(); ++i) {
    Candidate candidate = ProbeSearched(files, names[i]);
    if (candidate.error == 0) return candidate;
  }
  return first;
}

// The host program learns what a Windows program would: its command line,
// its path and current folder on the machine, and the machine itself.
std::vector<std::string> ProgramEnvironment(const fs::path& machine, const std::string& program,
                                            std::string_view command_line, const std::string& directory) {
  const std::vector<std::pair<std::string, std::string>> given = {
      {"TVX_MACHINE", machine.string()},
      {"TVX_PROGRAM", program},
      {"TVX_COMMAND_LINE", std::string(command_line)},
      {"TVX_CURRENT_DIRECTORY", directory}};
  std::vector<std::string> environment;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string_view text(*entry);
    bool replaced = false;
    for (const auto& [name, value] : given) replaced = replaced || text.starts_with(name + "=");
    if (!replaced) environment.emplace_back(text);
  }
  for (const auto& [name, value] : given) environment.push_back(name + "=" + value);
  return environment;
}

class SpawnActions {
 public:
  SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// The program's exit status once it ended; nullopt when it could not start.
std::optional<int> SpawnAndWait(const fs::path& program, const fs::path& folder,
                                std::vector<std::string> environment, int& spawn_error) {
  std::vector<char*> variables;
  for (std::string& variable : environment) variables.push_back(variable.data());
  variables.push_back(nullptr);
  std::string path = program.string();
  char* arguments[] = {path.data(), nullptr};
  SpawnActions actions;
  ::posix_spawn_file_actions_addchdir_np(actions.get(), folder.c_str());
  pid_t child = 0;
  spawn_error = ::posix_spawn(&child, path.c_str(), actions.get(), nullptr, arguments, variables.data());
  if (spawn_error != 0) return std::nullopt;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::uint32_t HostShell::StartProgram(std::string_view command_line, int /*show_state*/) {
  const Candidate program = FindProgram(files_, command_line);
  if (program.error != 0) return program.error;
  if (program.kind == ProgramKind::Other) return kBadFormat;
  const std::string directory = files_.CurrentDirectory();
  journal_.Record("run", program.path + " in " + directory + " with " + std::string(command_line));
  if (program.kind == ProgramKind::Windows) return kStarted;
  int spawn_error = 0;
  if (RunHostProgram(program.path, command_line, directory, spawn_error)) return kStarted;
  if (spawn_error == 0) return kPathNotFound;
  return spawn_error == ENOMEM || spawn_error == EAGAIN ? kNoResources : kBadFormat;
}

std::optional<std::int32_t> HostShell::RunProgramAndWait(std::string_view program,
                                                         std::string_view argument) {
  const Candidate found = Probe(files_, std::string(program));
  if (found.error != 0 || found.kind == ProgramKind::Other) return std::nullopt;
  const std::string command_line = std::string(program) + " " + std::string(argument);
  const std::string directory = files_.CurrentDirectory();
  journal_.Record("run and wait", found.path + " in " + directory + " with " + command_line);
  if (found.kind == ProgramKind::Windows) {
    const auto code = profile_.exit_codes.find(FoldedPath(found.path));
    return code == profile_.exit_codes.end() ? 0 : code->second;
  }
  int spawn_error = 0;
  return RunHostProgram(found.path, command_line, directory, spawn_error);
}

std::optional<int> HostShell::RunHostProgram(const std::string& path, std::string_view command_line,
                                             const std::string& directory, int& spawn_error) {
  const auto host_program = files_.HostPathOf(path);
  const auto host_folder = files_.HostPathOf(directory);
  if (!host_program || !host_folder) return std::nullopt;
  std::error_code error;
  const fs::path machine = fs::absolute(machine_folder_, error);
  return SpawnAndWait(fs::absolute(*host_program, error), fs::absolute(*host_folder, error),
                      ProgramEnvironment(machine, path, command_line, directory), spawn_error);
}

bool HostShell::RequestRestart() {
  journal_.Record("restart", "asked");
  return true;
}

}  // namespace tvx::host
