// journal.log: what the machine saw that leaves no file behind.
#pragma once

#include <filesystem>
#include <string_view>

namespace tvx::host {

class Journal {
 public:
  explicit Journal(std::filesystem::path file) : file_(std::move(file)) {}
  // Appends "<what> <detail>" as one line.
  void Record(std::string_view what, std::string_view detail);

 private:
  std::filesystem::path file_;
};

}  // namespace tvx::host
