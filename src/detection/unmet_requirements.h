// Why a configuration does not suit the machine, one line per reason, as
// the no-match explanation lists them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "detection/configuration_matcher.h"

namespace tvx {

// Hardware lines that do not hold, the lack of room, the system lines when
// the system step fails; string 238 when nothing is lacking. The MMX line
// comes after before_mmx_line has run (the explanation shows a picture).
std::vector<std::string> UnmetRequirementLines(ConfigurationMatcher& matcher, Configuration& configuration,
                                               const std::function<void()>& before_mmx_line = {});

}  // namespace tvx
