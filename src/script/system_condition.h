// OPERATING SYSTEMS lines: one operating-system requirement each.
#pragma once

#include <string_view>
#include <vector>

#include "script/detection_catalogue.h"
#include "script/requirement.h"

namespace tvx {

class Ui;

// Appends the line's requirement; a name the system tests do not know is
// refused after telling the author so.
bool ReadSystemLine(std::string_view line, DetectionCatalogue& tests, std::vector<Requirement>& list, Ui& ui);

}  // namespace tvx
