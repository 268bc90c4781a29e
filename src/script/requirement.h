// One requirement line of a configuration, bound to the test it names.
#pragma once

#include <cstdint>
#include <string>

#include "script/detection_test.h"

namespace tvx {

enum class Comparison { Equal, NotEqual, AtLeast, AtMost };

const char* ComparisonName(Comparison comparison);

struct Requirement {
  Comparison compare = Comparison::Equal;
  // Add the test's value base to the value at the first evaluation.
  bool rebase = false;
  std::int32_t value = 0;
  DetectionTest* test = nullptr;  // owned by the process's catalogue
  std::string installer_path;     // software lines: installer folder on the source
  std::string installer_argument;
  bool selected = true;

  bool operator==(const Requirement&) const = default;
};

// Compares the test's last result with the value; does not run the test.
bool Evaluate(Requirement& requirement);

}  // namespace tvx
