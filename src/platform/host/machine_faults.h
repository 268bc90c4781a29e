// What the simulated machine itself could not do (write its transcript, its
// journal, a lock file, a picture asked for): kept apart from what the
// program did, so a run cannot look fine when its record was lost.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tvx::host {

class MachineFaults {
 public:
  // One line (control bytes become "?"); a fault already recorded is not
  // recorded again, as a transcript that cannot be written fails at every
  // line.
  void Add(std::string fault) {
    for (char& c : fault)
      if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (std::find(faults_.begin(), faults_.end(), fault) == faults_.end())
      faults_.push_back(std::move(fault));
  }
  const std::vector<std::string>& list() const { return faults_; }

 private:
  std::vector<std::string> faults_;
};

}  // namespace tvx::host
