// journal.log: what the machine saw that leaves no file behind.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/host/machine_faults.h"

namespace tvx::host {

class Journal {
 public:
  Journal(std::filesystem::path file, MachineFaults& faults) : file_(std::move(file)), faults_(faults) {}
  // Appends "<what> <detail>" as one line, the detail escaped as transcript
  // texts are: a line break in it cannot make a line of its own.
  void Record(std::string_view what, std::string_view detail);

 private:
  std::filesystem::path file_;
  MachineFaults& faults_;
};

}  // namespace tvx::host
