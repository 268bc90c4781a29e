#include "script/requirement.h"

namespace tvx {

const char* ComparisonName(Comparison comparison) {
  switch (comparison) {
    case Comparison::Equal:
      return "equal";
    case Comparison::NotEqual:
      return "not equal";
    case Comparison::AtLeast:
      return "at least";
    case Comparison::AtMost:
      return "at most";
  }
  return "?";
}

bool Evaluate(Requirement& requirement) {
  if (!requirement.test) return false;
  if (requirement.rebase) {
    // Wraps like the 32-bit machine arithmetic instead of overflowing.
    requirement.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(requirement.value) +
                                                  static_cast<std::uint32_t>(requirement.test->value_base));
    requirement.rebase = false;
  }
  const std::int32_t result = requirement.test->result;
  switch (requirement.compare) {
    case Comparison::Equal:
      return result == requirement.value;
    case Comparison::NotEqual:
      return result != requirement.value;
    case Comparison::AtLeast:
      return result >= requirement.value;
    case Comparison::AtMost:
      return result <= requirement.value;
  }
  return false;
}

}  // namespace tvx
