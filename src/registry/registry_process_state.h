// The product registry's process-wide state, held by the session.
#pragma once

namespace tvx {

struct RegistryProcessState {
  // One entry enumeration runs at a time in the whole process, across
  // registry objects: set by the first NextEntry, cleared at its end.
  bool enumeration_running = false;
};

}  // namespace tvx
