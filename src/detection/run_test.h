// Running a catalogue test and its action.
#pragma once

#include <cstdint>

#include "script/detection_test.h"

namespace tvx {

// Calls the probe and stores the result: the probe value for a raw test,
// else the value base plus the probe value. A test without a probe reads 0.
std::int32_t RunTest(DetectionTest& test);
// The action's answer; a test without an action answers 0, so nothing is
// ever taken for done that was not done.
std::int32_t RunAction(DetectionTest& test);

}  // namespace tvx
