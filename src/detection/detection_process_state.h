// The detection subsystem's process-wide values, held by the session.
#pragma once

#include <string>

namespace tvx {

struct DetectionProcessState {
  // The CD-ROM drive was timed in this process: later runs read the stored
  // speed back instead of reading 10 MB again.
  bool cd_speed_measured = false;
  // The Cyrix configuration registers were tried: never twice per process.
  bool cyrix_tried = false;
  // Where the software component under test or installation lies on the
  // source, and what its installer is given; set by the caller before each
  // software test or installer.
  std::string installer_path;
  std::string installer_argument;
  // A component's installer asked for Windows to restart; only ever set.
  bool restart_needed = false;
};

}  // namespace tvx
