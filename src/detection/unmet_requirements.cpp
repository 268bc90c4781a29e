#include "detection/unmet_requirements.h"

namespace tvx {
namespace {

constexpr int kAtLeastWord = 234;
constexpr int kAtMostWord = 235;
constexpr int kEqualWord = 236;
constexpr int kNoRoom = 237;
constexpr int kNothingLacking = 238;
constexpr int kNotWord = 239;

int ComparisonWord(Comparison compare) {
  switch (compare) {
    case Comparison::AtLeast:
      return kAtLeastWord;
    case Comparison::AtMost:
      return kAtMostWord;
    case Comparison::Equal:
      return kEqualWord;
    case Comparison::NotEqual:
      return kNotWord;
  }
  return kEqualWord;
}

std::string Compared(ConfigurationMatcher& matcher, const DetectionTest& test, Comparison compare,
                     const std::string& value_text) {
  return test.display_name + " : " + matcher.Text(ComparisonWord(compare)) + " " + value_text;
}

std::string HardwareLine(ConfigurationMatcher& matcher, const Requirement& requirement) {
  const DetectionTest& test = *requirement.test;
  // Without a section of value texts there is nothing to name the value with.
  if (test.value_base == 0) return test.display_name;
  const std::string value_text = test.raw
                                     ? std::to_string(requirement.value) + " " + matcher.Text(test.value_base)
                                     : matcher.Text(requirement.value);
  return Compared(matcher, test, requirement.compare, value_text);
}

std::string SystemLine(ConfigurationMatcher& matcher, const Requirement& requirement) {
  const DetectionTest& test = *requirement.test;
  const std::int64_t offset = std::int64_t{requirement.value} - test.value_base;
  switch (requirement.compare) {
    case Comparison::AtLeast:
      if (offset == 0) return test.display_name;  // the name alone: any version of it
      break;
    case Comparison::Equal:
      if (IsAdministratorTest(test)) return test.display_name;
      if (offset == -1) return matcher.Text(kNotWord) + " " + test.display_name;  // "!" and the name
      break;
    default:
      break;
  }
  return Compared(matcher, test, requirement.compare, matcher.Text(requirement.value));
}

}  // namespace

std::vector<std::string> UnmetRequirementLines(ConfigurationMatcher& matcher, Configuration& configuration,
                                               const std::function<void()>& before_mmx_line) {
  std::vector<std::string> lines;
  for (Requirement& requirement : configuration.hardware) {
    if (!requirement.test || Evaluate(requirement)) continue;
    if (requirement.test->name == "MMX" && before_mmx_line) before_mmx_line();
    lines.push_back(HardwareLine(matcher, requirement));
  }
  if (!configuration.playable && !matcher.Fits(configuration)) lines.push_back(matcher.Text(kNoRoom));
  if (!SystemRequirementsHold(configuration.system))
    for (Requirement& requirement : configuration.system)
      if (requirement.test && !Evaluate(requirement)) lines.push_back(SystemLine(matcher, requirement));
  if (lines.empty()) lines.push_back(matcher.Text(kNothingLacking));
  return lines;
}

}  // namespace tvx
