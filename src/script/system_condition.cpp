#include "script/system_condition.h"

#include <string>

#include "script/script_text.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

struct Operator {
  std::string_view text;
  Comparison compare;
};

// "<" is not among them: a line holding it is a name as a whole.
constexpr Operator kOperators[] = {
    {"!=", Comparison::NotEqual}, {">", Comparison::AtLeast}, {"=", Comparison::Equal}};

constexpr std::string_view kAdministratorRight = "Administrator right";

void SetCondition(Requirement& requirement, Comparison compare, std::int32_t value, bool rebase) {
  requirement.compare = compare;
  requirement.value = value;
  requirement.rebase = rebase;
}

// Fills the requirement's comparison; answers the test name the line gives.
std::string ReadCondition(std::string_view line, Requirement& requirement, bool& bare_name) {
  bare_name = false;
  for (const Operator& op : kOperators) {
    const std::size_t at = line.find(op.text);
    if (at == std::string_view::npos) continue;
    SetCondition(requirement, op.compare, ParseShortNumber(line.substr(at + op.text.size())), false);
    return std::string(TrimBlanks(line.substr(0, at)));
  }
  if (line.starts_with('!')) {
    SetCondition(requirement, Comparison::Equal, -1, true);
    return std::string(TrimBlanks(line.substr(1)));
  }
  if (line == kAdministratorRight) {
    SetCondition(requirement, Comparison::Equal, 1, false);
    return std::string(line);
  }
  SetCondition(requirement, Comparison::AtLeast, 0, true);
  bare_name = true;
  return std::string(line);
}

}  // namespace

bool ReadSystemLine(std::string_view line, DetectionCatalogue& tests, std::vector<Requirement>& list,
                    Ui& ui) {
  line = TrimBlanks(line);
  Requirement requirement;
  bool bare_name = false;
  std::string name = ReadCondition(line, requirement, bare_name);
  if (bare_name && !FindTestIn(tests.SystemTests(), name)) {
    ShowPlainMessage(ui, "Unknown Operator in " + std::string(line));
    name.clear();
  }
  requirement.test = FindTestIn(tests.SystemTests(), name);
  if (!requirement.test) {
    ShowPlainMessage(ui, "Unknown Operating systems " + name);
    return false;
  }
  list.push_back(std::move(requirement));
  return true;
}

}  // namespace tvx
