// One named machine test of a catalogue, with its last result.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tvx {

// A routine bound to a test: a probe that measures the machine, or an
// action run at installation time. Empty until the probes are bound.
using TestRoutine = std::function<std::int32_t()>;

struct DetectionTest {
  std::string name;                 // matched exactly against the script
  std::int32_t display_number = 0;  // strings-table number of the display name
  std::string value_base_key;       // strings-table section whose entries name the values
  bool raw = false;                 // the result is the probe value itself, not base + value

  TestRoutine probe;   // not bound yet: the detection subsystem binds it
  TestRoutine action;  // hardware preparation or software installer; often none

  std::int32_t value_base = 0;
  std::string display_name;
  std::int32_t result = 0;
};

}  // namespace tvx
