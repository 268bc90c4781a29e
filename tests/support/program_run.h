// Running the host's command-line programs as a user does, and telling
// whether a folder changed.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace tvx::testing {

struct ProgramRun {
  int status = -1;  // the exit code; -1 when the program did not exit
  std::string out;
  std::string err;
  int ErrLines() const;
};

// Runs the program with arguments given as shell words (quote them).
ProgramRun RunProgram(const std::string& program, const std::string& arguments);
// A path as one shell word.
std::string Quoted(const std::filesystem::path& path);

// Every file, folder and link under a folder, with each file's bytes
// (links are not followed).
std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder);

}  // namespace tvx::testing
