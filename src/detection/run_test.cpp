#include "detection/run_test.h"

namespace tvx {

std::int32_t RunTest(DetectionTest& test) {
  const std::int32_t value = test.probe ? test.probe() : 0;
  // Wraps like the 32-bit machine arithmetic instead of overflowing.
  test.result = test.raw ? value
                         : static_cast<std::int32_t>(static_cast<std::uint32_t>(test.value_base) +
                                                     static_cast<std::uint32_t>(value));
  return test.result;
}

std::int32_t RunAction(DetectionTest& test) { return test.action ? test.action() : 0; }

}  // namespace tvx
