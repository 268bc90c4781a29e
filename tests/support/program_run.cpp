#include "support/program_run.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>

#include "support/test_machine.h"

namespace tvx::testing {
namespace fs = std::filesystem;

int ProgramRun::ErrLines() const { return static_cast<int>(std::count(err.begin(), err.end(), '\n')); }

ProgramRun RunProgram(const std::string& program, const std::string& arguments) {
  TemporaryFolder folder;
  const fs::path err = folder.path() / "err";
  const std::string command = program + " " + arguments + " 2>" + Quoted(err) + " </dev/null";
  ProgramRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, count);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadHostText(err);
  return run;
}

std::string Quoted(const fs::path& path) {
  std::string word = "'";
  for (char c : path.string()) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

std::map<std::string, std::string> FolderContents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).string();
    if (entry.is_symlink())
      contents[name] = "<link to " + fs::read_symlink(entry.path()).string() + ">";
    else
      contents[name] = entry.is_regular_file() ? ReadHostText(entry.path()) : std::string("<folder>");
  }
  return contents;
}

}  // namespace tvx::testing
